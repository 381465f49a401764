#include "app/settings_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/settings_file.h"
#include "app/tk/message_box.h"
#include "app/tk/refused_entry.h"
#include "core/unit_text.h"

namespace app {

namespace {

constexpr int kPriceDecimals = 2;
constexpr int kTaxDecimals = 3;
const QColor kReasonColour(176, 0, 0);

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string tierKey(std::size_t row, const char* name) {
  return "fees[" + std::to_string(row) + "]." + name;
}

// A unit beside an entry, or a caption before it.
QLabel* caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

SettingsDialog::SettingsDialog(const core::TradeSettings& current, QString path, QWidget* parent)
    : QDialog(parent), path_(std::move(path)) {
  filling_ = true;
  setObjectName(QStringLiteral("settingsDialog"));
  setWindowTitle(QStringLiteral("取引の設定"));
  auto* layout = new QVBoxLayout(this);

  auto* fees = new QGroupBox(QStringLiteral("手数料"), this);
  feesLayout_ = new QVBoxLayout(fees);
  feesLayout_->addWidget(caption(
      QStringLiteral("約定代金がその段の額未満なら、その段の手数料。最後の段はそれ以上のすべて。"),
      fees));
  addTier_ = new QPushButton(QStringLiteral("段を加える(&A)"), fees);
  addTier_->setObjectName(QStringLiteral("addTier"));
  addTier_->setAccessibleName(QStringLiteral("段を加える"));
  addTier_->setAutoDefault(false);
  feesLayout_->addWidget(addTier_, 0, Qt::AlignLeft);
  connect(addTier_, &QPushButton::clicked, this, [this] { addTier(); });
  layout->addWidget(fees);

  auto* steps = new QHBoxLayout;
  steps->addWidget(
      stepGroup(QStringLiteral("数量のボタン（株）"), "quantity", QStringLiteral("数量"), 0));
  steps->addWidget(stepGroup(QStringLiteral("単価のボタン（円）"), "price", QStringLiteral("単価"),
                             kPriceDecimals));
  layout->addLayout(steps);

  auto* tax = new QGridLayout;
  auto* taxLabel = caption(QStringLiteral("税率（%）(&T)："), this);
  QLineEdit* taxField = makeEntry(this, "taxPercent", kTaxDecimals, QStringLiteral("税率（%）"));
  taxLabel->setBuddy(taxField);
  tax->addWidget(taxLabel, 0, 0);
  tax->addWidget(taxField, 0, 1);
  tax->addWidget(entries_.at("taxPercent").reason, 0, 2);
  tax->setColumnStretch(3, 1);
  stepFocus_.push_back(taxField);
  layout->addLayout(tax);

  otherFault_ = new QLabel(this);
  otherFault_->setObjectName(QStringLiteral("otherFault"));
  otherFault_->hide();
  layout->addWidget(otherFault_);

  auto* bottom = new QHBoxLayout;
  restore_ = new QPushButton(QStringLiteral("当初の設定に戻す(&D)"), this);
  restore_->setObjectName(QStringLiteral("restoreBuiltIn"));
  restore_->setAccessibleName(QStringLiteral("当初の設定に戻す"));
  restore_->setAutoDefault(false);
  connect(restore_, &QPushButton::clicked, this, [this] { showSettings(core::builtInSettings()); });
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
  bottom->addWidget(restore_);
  bottom->addStretch(1);
  bottom->addWidget(buttons_);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the size follows the number of tiers

  filling_ = false;
  showSettings(current);
}

QLineEdit* SettingsDialog::makeEntry(QWidget* parent, const std::string& key, int decimals,
                                     const QString& accessibleName, const QString& what) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(qs(key));
  field->setAccessibleName(accessibleName);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000,000")) +
                       12);
  auto* reason = new QLabel(parent);
  reason->setObjectName(qs(key + ".reason"));
  QPalette palette = reason->palette();
  palette.setColor(QPalette::WindowText, kReasonColour);
  reason->setPalette(palette);
  reason->hide();
  entries_[key] = Entry{field, reason, decimals, what};
  connect(field, &QLineEdit::textChanged, this, [this] { recheck(); });
  return field;
}

QGroupBox* SettingsDialog::stepGroup(const QString& title, const char* key, const QString& what,
                                     int decimals) {
  auto* group = new QGroupBox(title, this);
  auto* grid = new QGridLayout(group);
  const struct {
    const char* name;
    const char* caption;
  } rows[] = {{"step", "小さい刻み（＜ ＞）"},
              {"bigStep", "大きい刻み（＜＜ ＞＞）"},
              {"lowest", "下限"},
              {"highest", "上限"}};
  int row = 0;
  for (const auto& r : rows) {
    const QString name = QString::fromUtf8(r.caption);
    QLineEdit* field = makeEntry(group, std::string(key) + "." + r.name, decimals,
                                 what + QStringLiteral("の") + name);
    auto* label = caption(name + QStringLiteral("："), group);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(entries_.at(std::string(key) + "." + r.name).reason, row + 1, 0, 1, 2,
                    Qt::AlignRight);
    stepFocus_.push_back(field);
    row += 2;
  }
  grid->setRowStretch(row, 1);
  return group;
}

std::vector<SettingsDialog::TierTexts> SettingsDialog::tierTexts() const {
  std::vector<TierTexts> tiers;
  for (std::size_t i = 0; i < tierCount_; ++i) {
    const auto below = entries_.find(tierKey(i, "below"));
    tiers.push_back({below != entries_.end() ? below->second.field->text() : QString(),
                     entries_.at(tierKey(i, "fee")).field->text()});
  }
  return tiers;
}

// The rows are made anew: each row's keys and names follow its position.
void SettingsDialog::showTiers(const std::vector<TierTexts>& tiers) {
  const bool wasFilling = std::exchange(filling_, true);
  if (tiersBox_) {
    for (std::size_t i = 0; i < tierCount_; ++i) {
      entries_.erase(tierKey(i, "below"));
      entries_.erase(tierKey(i, "fee"));
    }
    // The old rows go once the event that removed a row (a click on its own button) is done.
    tiersBox_->hide();
    tiersBox_->setParent(nullptr);
    tiersBox_->deleteLater();
  }
  tierCount_ = tiers.size();
  tiersBox_ = new QWidget;
  auto* grid = new QGridLayout(tiersBox_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(caption(QStringLiteral("約定代金"), tiersBox_), 0, 1, Qt::AlignCenter);
  grid->addWidget(caption(QStringLiteral("手数料"), tiersBox_), 0, 3, Qt::AlignCenter);
  tierFocus_.clear();
  for (std::size_t i = 0; i < tiers.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const QString name = QStringLiteral("%1段目").arg(i + 1);
    grid->addWidget(caption(name, tiersBox_), row, 0);
    auto* reasons = new QVBoxLayout;
    reasons->setSpacing(0);
    if (i + 1 < tiers.size()) {
      QLineEdit* below = makeEntry(tiersBox_, tierKey(i, "below"), 0,
                                   name + QStringLiteral("：約定代金がこの額未満（円）"),
                                   QStringLiteral("約定代金："));
      below->setText(tiers[i].below);
      grid->addWidget(below, row, 1);
      grid->addWidget(caption(QStringLiteral("円未満"), tiersBox_), row, 2);
      reasons->addWidget(entries_.at(tierKey(i, "below")).reason);
      tierFocus_.push_back(below);
    } else {
      grid->addWidget(caption(QStringLiteral("以上"), tiersBox_), row, 1, Qt::AlignCenter);
    }
    QLineEdit* fee = makeEntry(tiersBox_, tierKey(i, "fee"), 0,
                               name + QStringLiteral("：手数料（円）"), QStringLiteral("手数料："));
    fee->setText(tiers[i].fee);
    grid->addWidget(fee, row, 3);
    grid->addWidget(caption(QStringLiteral("円"), tiersBox_), row, 4);
    reasons->addWidget(entries_.at(tierKey(i, "fee")).reason);
    tierFocus_.push_back(fee);
    auto* remove = new QPushButton(QStringLiteral("削除"), tiersBox_);
    remove->setObjectName(qs(tierKey(i, "remove")));
    remove->setAccessibleName(name + QStringLiteral("を削除"));
    remove->setAutoDefault(false);
    remove->setEnabled(tiers.size() > 1);
    connect(remove, &QPushButton::clicked, this, [this, i] { removeTier(i); });
    grid->addWidget(remove, row, 5);
    tierFocus_.push_back(remove);
    grid->addLayout(reasons, row, 6);
  }
  grid->setColumnStretch(6, 1);
  feesLayout_->insertWidget(1, tiersBox_);
  addTier_->setEnabled(tiers.size() < core::kMaxTiers);
  orderTabs();
  filling_ = wasFilling;
}

// A new tier comes just before the last one, which stays the open-ended 「以上」; its entries are
// empty until the person fills them in, starting with the threshold.
void SettingsDialog::addTier() {
  std::vector<TierTexts> tiers = tierTexts();
  if (tiers.size() >= core::kMaxTiers) return;
  const std::size_t row = tiers.empty() ? 0 : tiers.size() - 1;
  tiers.insert(tiers.begin() + static_cast<std::ptrdiff_t>(row), TierTexts{});
  showTiers(tiers);
  recheck();
  const auto below = entries_.find(tierKey(row, "below"));
  (below != entries_.end() ? below->second.field : entries_.at(tierKey(row, "fee")).field)
      ->setFocus(Qt::OtherFocusReason);
}

// Removing the last tier makes the one before it the open-ended one; its threshold goes.
void SettingsDialog::removeTier(std::size_t row) {
  std::vector<TierTexts> tiers = tierTexts();
  if (tiers.size() <= 1 || row >= tiers.size()) return;
  tiers.erase(tiers.begin() + static_cast<std::ptrdiff_t>(row));
  showTiers(tiers);
  recheck();
  const std::size_t next = std::min(row, tiers.size() - 1);
  findChild<QWidget*>(qs(tierKey(next, "remove")))->setFocus(Qt::OtherFocusReason);
}

// Tab goes down the tiers row by row, then the quantity's and the price's entries, the tax rate,
// and the buttons.
void SettingsDialog::orderTabs() {
  std::vector<QWidget*> order = tierFocus_;
  order.push_back(addTier_);
  order.insert(order.end(), stepFocus_.begin(), stepFocus_.end());
  order.push_back(restore_);
  for (QAbstractButton* b : buttons_->buttons()) order.push_back(b);
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void SettingsDialog::showSettings(const core::TradeSettings& settings) {
  const bool wasFilling = std::exchange(filling_, true);
  std::vector<TierTexts> tiers;
  for (const core::FeeTierSetting& tier : settings.fees)
    tiers.push_back({tier.below ? qs(core::unitsText(*tier.below, 0)) : QString(),
                     qs(core::unitsText(tier.fee, 0))});
  showTiers(tiers);
  const auto put = [this](const std::string& key, std::int64_t units) {
    Entry& e = entries_.at(key);
    e.field->setText(qs(core::unitsText(units, e.decimals)));
  };
  for (const auto& [name, row] :
       {std::pair{"quantity", &settings.quantity}, std::pair{"price", &settings.price}}) {
    const std::string k = name;
    for (const core::StepField& field : core::kStepFields)
      put(k + "." + field.key, row->*field.value);
  }
  put("taxPercent", settings.taxThousandths);
  filling_ = wasFilling;
  recheck();
}

// Each entry is read on its own first (a number, in whole units); once all are, the settings
// check names the first value the rules between entries refuse.
void SettingsDialog::recheck() {
  if (filling_) return;
  std::map<std::string, std::string> faults;
  const auto read = [&](const std::string& key, std::int64_t& out) {
    const Entry& e = entries_.at(key);
    const core::Units units = core::readUnits(e.field->text().toStdString(), e.decimals);
    if (units.fault)
      faults[key] = core::faultText(*units.fault, e.decimals);
    else
      out = units.value;
  };
  core::TradeSettings settings;
  for (std::size_t i = 0; i < tierCount_; ++i) {
    core::FeeTierSetting tier;
    if (i + 1 < tierCount_) read(tierKey(i, "below"), tier.below.emplace());
    read(tierKey(i, "fee"), tier.fee);
    settings.fees.push_back(tier);
  }
  for (const auto& [name, row] :
       {std::pair{"quantity", &settings.quantity}, std::pair{"price", &settings.price}}) {
    const std::string k = name;
    for (const core::StepField& field : core::kStepFields)
      read(k + "." + field.key, row->*field.value);
  }
  read("taxPercent", settings.taxThousandths);
  std::string other;
  if (faults.empty()) {
    if (const auto fault = core::checkSettings(settings)) {
      if (entries_.count(fault->key))
        faults[fault->key] = fault->reason;
      else
        other = fault->reason;
    }
  }
  for (auto& [key, e] : entries_) {
    const auto fault = faults.find(key);
    const bool taken = fault == faults.end();
    tk::showTaken(e.field, taken);
    const QString reason = taken ? QString() : qs(fault->second);
    e.reason->setText(taken ? QString() : e.what + reason);
    e.reason->setVisible(!taken);
    e.field->setAccessibleDescription(reason);
  }
  otherFault_->setText(qs(other));
  otherFault_->setVisible(!other.empty());
  const bool allTaken = faults.empty() && other.empty();
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(allTaken);
  if (allTaken)
    entered_ = settings;
  else
    entered_.reset();
}

void SettingsDialog::accept() {
  if (!entered_) return;
  if (!path_.isEmpty()) {
    if (const auto error = app::write(path_, *entered_)) {
      tk::showMessage(this, QStringLiteral("設定を保存できませんでした。\n\nファイル：%1\n理由：%2")
                                .arg(QDir::toNativeSeparators(path_), *error));
      return;
    }
  }
  QDialog::accept();
}

}  // namespace app
