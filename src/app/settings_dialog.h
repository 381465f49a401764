#pragma once
// The dialog 「取引の設定」: the fee tiers, the step buttons' units and limits of the quantity and
// the prices, and the tax rate. Every entry is checked as it is typed, the way the window's fields
// are (red on light red, with the reason beside it), and OK stays disabled until every entry is
// taken. OK saves the settings file (when the window has one) and closes; a failed save says why
// and leaves the dialog open with the entries as they are.
#include <QDialog>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/trade_settings.h"

class QComboBox;
class QDialogButtonBox;
class QRadioButton;
class QScrollArea;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace app {

class SettingsDialog : public QDialog {
 public:
  // `path` is the settings file OK writes; with none, OK only hands the settings back.
  SettingsDialog(const core::TradeSettings& current, QString path, QWidget* parent);

  // Puts the settings into every entry (「当初の設定に戻す」 puts the built-in ones).
  void showSettings(const core::TradeSettings& settings);
  // The settings the entries hold, when every entry is taken.
  const std::optional<core::TradeSettings>& entered() const { return entered_; }

  void accept() override;

 private:
  // One entry: its field, the label in the list of reasons that says why its text is not taken,
  // and the decimals its unit allows. Entries are found by their file key ("fees[1].below").
  struct Entry {
    QLineEdit* field = nullptr;
    QLabel* reason = nullptr;
    int decimals = 0;
    QString what;           // the entry in the reason's words: 「2段目の手数料：」
    bool optional = false;  // may stay empty (a tier's minimum and maximum)
  };
  struct TierTexts {
    QString below;  // ignored for the last tier
    QString fee, percent, min, max;
  };

  QLineEdit* makeEntry(QWidget* parent, QVBoxLayout* reasons, const std::string& key,
                       const QString& accessibleName, const QString& what);
  QGroupBox* stepGroup(const core::StepRow& row);
  core::FeeBorders borders() const;
  void showBorders();
  void addTickChoice(QGroupBox* priceGroup);
  void showTicks(const core::PriceTicks& ticks);
  core::PriceTicks chosenTicks() const;
  std::vector<TierTexts> tierTexts() const;
  void showTiers(const std::vector<TierTexts>& tiers);
  void addTier();
  void removeTier(std::size_t row);
  void orderTabs();
  void recheck();

  QString path_;
  std::map<std::string, Entry> entries_;
  std::size_t tierCount_ = 0;
  QVBoxLayout* feesLayout_ = nullptr;
  QWidget* tiersBox_ = nullptr;  // the tier rows, made anew when a row comes or goes
  std::vector<QWidget*> tierFocus_;
  QPushButton* addTier_ = nullptr;
  std::vector<QWidget*> stepFocus_;
  QPushButton* restore_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QLabel* otherFault_ = nullptr;  // the faults of no single entry
  QLabel* explanation_ = nullptr;
  QRadioButton* below_ = nullptr;
  QRadioButton* upTo_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* ticks_ = nullptr;             // 単価の刻み: fixed steps or a tick table
  std::vector<core::TickBand> fileTicks_;  // the file's own table, kept when the dialog saves
  QScrollArea* reasonsArea_ = nullptr;     // every reason at once, in a place of its own size
  QVBoxLayout* tierReasons_ = nullptr;     // the tier rows' reasons, made anew with the rows
  QVBoxLayout* otherReasons_ = nullptr;
  std::optional<core::TradeSettings> entered_;
  bool filling_ = false;  // entries are being made or filled: checked once, when all are there
};

}  // namespace app
