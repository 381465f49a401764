#include "app/settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <string_view>
#include <utility>

#include "app/settings_file.h"
#include "app/tk/message_box.h"
#include "app/tk/refused_entry.h"
#include "app/tk/units.h"
#include "core/unit_text.h"

namespace app {

namespace {

const QColor kReasonColour(176, 0, 0);
constexpr int kReasonLines = 6;  // the list of reasons shows this many, and scrolls for more

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), std::ssize(utf8)); }

std::string tierKey(std::size_t row, const char* name) { return core::tierKey(row, name); }

// A unit beside an entry, or a caption before it.
QLabel* caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// A table column's caption: 「手数料（円）」.
QString columnCaption(const char* key) {
  const core::SettingField& f = core::settingField(std::string("fees.") + key);
  return qs(f.caption) + QStringLiteral("（") + qs(f.unit) + QStringLiteral("）");
}

QVBoxLayout* reasonList() {
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace

SettingsDialog::SettingsDialog(const core::TradeSettings& current, QString path, QWidget* parent)
    : QDialog(parent), path_(std::move(path)) {
  filling_ = true;
  setObjectName(QStringLiteral("settingsDialog"));
  setFont(tk::windowFont());  // the plan's name is typed here
  setWindowTitle(QStringLiteral("取引の設定"));
  auto* layout = new QVBoxLayout(this);

  // The reasons are made with their entries, so their list comes first.
  reasonsArea_ = new QScrollArea;
  reasonsArea_->setObjectName(QStringLiteral("reasons"));
  auto* reasons = new QWidget;
  auto* reasonsLayout = new QVBoxLayout(reasons);
  reasonsLayout->setContentsMargins(2, 2, 2, 2);
  otherFault_ = new QLabel(reasons);
  otherFault_->setObjectName(QStringLiteral("otherFault"));
  otherFault_->hide();
  reasonsLayout->addWidget(otherFault_);
  // Layouts, not widgets: an empty list takes no room and is no control of zero size.
  tierReasons_ = reasonList();
  otherReasons_ = reasonList();
  reasonsLayout->addLayout(tierReasons_);
  reasonsLayout->addLayout(otherReasons_);
  reasonsLayout->addStretch(1);
  reasonsArea_->setWidget(reasons);
  reasonsArea_->setWidgetResizable(true);
  reasonsArea_->setFrameShape(QFrame::NoFrame);
  // Its own size, whatever it holds: the dialog keeps its size and OK its place.
  reasonsArea_->setFixedHeight(fontMetrics().lineSpacing() * kReasonLines + 4);
  reasonsArea_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

  auto* nameRow = new QHBoxLayout;
  auto* nameLabel = caption(QStringLiteral("名前(&N)："), this);
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("name"));
  name_->setAccessibleName(QStringLiteral("名前"));
  name_->setMaxLength(static_cast<int>(core::kMaxNameLength));
  name_->setPlaceholderText(QStringLiteral("証券会社やプランの名前（窓の題に出ます）"));
  nameLabel->setBuddy(name_);
  connect(name_, &QLineEdit::textChanged, this, [this] { recheck(); });
  nameRow->addWidget(nameLabel);
  nameRow->addWidget(name_, 1);
  layout->addLayout(nameRow);

  auto* fees = new QGroupBox(QStringLiteral("手数料"), this);
  feesLayout_ = new QVBoxLayout(fees);
  auto* bordersRow = new QHBoxLayout;
  bordersRow->addWidget(caption(QStringLiteral("境目の額を含む段："), fees));
  below_ = new QRadioButton(QStringLiteral("その上の段（未満）(&U)"), fees);
  below_->setObjectName(QStringLiteral("feeBordersBelow"));
  upTo_ = new QRadioButton(QStringLiteral("その段（まで）(&M)"), fees);
  upTo_->setObjectName(QStringLiteral("feeBordersUpTo"));
  below_->setAccessibleName(QStringLiteral("境目の額を含む段：その上の段（未満）"));
  upTo_->setAccessibleName(QStringLiteral("境目の額を含む段：その段（まで）"));
  below_->setChecked(true);
  for (QRadioButton* b : {below_, upTo_}) {
    bordersRow->addWidget(b);
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (!on) return;
      showBorders();
      recheck();
    });
  }
  bordersRow->addStretch(1);
  feesLayout_->addLayout(bordersRow);
  explanation_ = caption(QString(), fees);
  feesLayout_->addWidget(explanation_);
  addTier_ = new QPushButton(QStringLiteral("段を加える(&A)"), fees);
  addTier_->setObjectName(QStringLiteral("addTier"));
  addTier_->setAccessibleName(QStringLiteral("段を加える"));
  addTier_->setAutoDefault(false);
  feesLayout_->addWidget(addTier_, 0, Qt::AlignLeft);
  connect(addTier_, &QPushButton::clicked, this, [this] { addTier(); });
  layout->addWidget(fees);

  auto* steps = new QHBoxLayout;
  for (const core::StepRow& r : core::kStepRows) {
    QGroupBox* group = stepGroup(r);
    if (r.row == &core::TradeSettings::price) addTickChoice(group);
    steps->addWidget(group);
  }
  layout->addLayout(steps);

  auto* tax = new QGridLayout;
  auto* taxLabel = caption(QStringLiteral("税率（%）(&T)："), this);
  QLineEdit* taxField = makeEntry(this, otherReasons_, "taxPercent", QStringLiteral("税率（%）"),
                                  QStringLiteral("税率："));
  taxLabel->setBuddy(taxField);
  tax->addWidget(taxLabel, 0, 0);
  tax->addWidget(taxField, 0, 1);
  tax->setColumnStretch(2, 1);
  stepFocus_.push_back(taxField);
  layout->addLayout(tax);
  layout->addWidget(reasonsArea_);

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

QLineEdit* SettingsDialog::makeEntry(QWidget* parent, QVBoxLayout* reasons, const std::string& key,
                                     const QString& accessibleName, const QString& what) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(qs(key));
  field->setAccessibleName(accessibleName);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  const bool wide = core::settingField(key).highest > 100'000'000;
  field->setFixedWidth(
      field->fontMetrics().horizontalAdvance(wide ? QStringLiteral("0,000,000,000,000")
                                                  : QStringLiteral("00,000,000")) +
      12);
  auto* reason = new QLabel(reasonsArea_->widget());
  reason->setObjectName(qs(key + ".reason"));
  QPalette palette = reason->palette();
  palette.setColor(QPalette::WindowText, kReasonColour);
  reason->setPalette(palette);
  reason->hide();
  reasons->addWidget(reason);
  entries_[key] = Entry{field, reason, core::settingField(key).decimals, what};
  connect(field, &QLineEdit::textChanged, this, [this] { recheck(); });
  return field;
}

QGroupBox* SettingsDialog::stepGroup(const core::StepRow& r) {
  auto* group = new QGroupBox(qs(r.title), this);
  auto* grid = new QGridLayout(group);
  const QString what = qs(r.what);
  int row = 0;
  for (const core::StepField& f : core::kStepFields) {
    const std::string fieldKey = std::string(r.key) + "." + f.key;
    const QString name = qs(core::settingField(fieldKey).caption);
    QLineEdit* field = makeEntry(group, otherReasons_, fieldKey, what + QStringLiteral("の") + name,
                                 what + QStringLiteral("の") + name + QStringLiteral("："));
    // The two steps say which of the window's buttons take them.
    const std::string_view which = f.key;
    const QString buttons = which == "step"      ? QStringLiteral("（＜ ＞）")
                            : which == "bigStep" ? QStringLiteral("（＜＜ ＞＞）")
                                                 : QString();
    auto* label = caption(name + buttons + QStringLiteral("："), group);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    stepFocus_.push_back(field);
    ++row;
  }
  grid->setRowStretch(row, 1);
  return group;
}

core::FeeBorders SettingsDialog::borders() const {
  return upTo_->isChecked() ? core::FeeBorders::UpTo : core::FeeBorders::Below;
}

// The rows' captions and the explanation say which tier a value equal to a threshold is in.
void SettingsDialog::showBorders() {
  const bool upTo = borders() == core::FeeBorders::UpTo;
  explanation_->setText(
      (upTo ? QStringLiteral(
                  "約定代金がその段の額までなら、その段の手数料。最後の段はそれを超えるすべて。")
            : QStringLiteral(
                  "約定代金がその段の額未満なら、その段の手数料。最後の段はそれ以上のすべて。")) +
      QStringLiteral("\n手数料＋約定代金×料率の円未満を切り捨て、最低と最高の間に収めます。"
                     "料率・最低・最高は空けておけます。"));
  if (!tiersBox_) return;
  for (QLabel* unit : tiersBox_->findChildren<QLabel*>(QStringLiteral("borderUnit")))
    unit->setText(upTo ? QStringLiteral("円まで") : QStringLiteral("円未満"));
  if (auto* open = tiersBox_->findChild<QLabel*>(QStringLiteral("openTier"));
      open && tierCount_ > 1)
    open->setText(upTo ? QStringLiteral("超") : QStringLiteral("以上"));
}

// 単価の刻み above the price's entries: 一定 uses the two step entries, a tick table leaves them
// aside. A table from the file is offered as such and saved as it was read.
void SettingsDialog::addTickChoice(QGroupBox* priceGroup) {
  ticks_ = new QComboBox(priceGroup);
  ticks_->setObjectName(QStringLiteral("price.ticks"));
  ticks_->setAccessibleName(QStringLiteral("単価の刻み"));
  ticks_->addItem(QStringLiteral("一定"), static_cast<int>(core::TickTable::Fixed));
  ticks_->addItem(QStringLiteral("呼値（標準）"), static_cast<int>(core::TickTable::Standard));
  ticks_->addItem(QStringLiteral("呼値（TOPIX100構成銘柄）"),
                  static_cast<int>(core::TickTable::Topix100));
  auto* label = caption(QStringLiteral("単価の刻み(&K)："), priceGroup);
  label->setBuddy(ticks_);
  auto* grid = static_cast<QGridLayout*>(priceGroup->layout());
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(ticks_, row, 1);
  stepFocus_.push_back(ticks_);
  connect(ticks_, &QComboBox::currentIndexChanged, this, [this] { recheck(); });
}

void SettingsDialog::showTicks(const core::PriceTicks& ticks) {
  if (ticks.table == core::TickTable::File) {
    fileTicks_ = ticks.fileBands;
    if (ticks_->findData(static_cast<int>(core::TickTable::File)) < 0)
      ticks_->addItem(QStringLiteral("ファイルの呼値表"), static_cast<int>(core::TickTable::File));
  }
  ticks_->setCurrentIndex(ticks_->findData(static_cast<int>(ticks.table)));
}

core::PriceTicks SettingsDialog::chosenTicks() const {
  core::PriceTicks ticks;
  ticks.table = static_cast<core::TickTable>(ticks_->currentData().toInt());
  if (ticks.table == core::TickTable::File) ticks.fileBands = fileTicks_;
  return ticks;
}

std::vector<SettingsDialog::TierTexts> SettingsDialog::tierTexts() const {
  std::vector<TierTexts> tiers;
  const auto text = [this](std::size_t i, const char* name) {
    const auto e = entries_.find(tierKey(i, name));
    return e != entries_.end() ? e->second.field->text() : QString();
  };
  for (std::size_t i = 0; i < tierCount_; ++i)
    tiers.push_back(
        {text(i, "below"), text(i, "fee"), text(i, "percent"), text(i, "min"), text(i, "max")});
  return tiers;
}

// The rows are made anew: each row's keys and names follow its position.
void SettingsDialog::showTiers(const std::vector<TierTexts>& tiers) {
  static constexpr const char* kColumns[] = {"fee", "percent", "min", "max"};
  const bool wasFilling = std::exchange(filling_, true);
  if (tiersBox_) {
    for (std::size_t i = 0; i < tierCount_; ++i) {
      for (const char* name : {"below", "fee", "percent", "min", "max"}) {
        const auto e = entries_.find(tierKey(i, name));
        if (e == entries_.end()) continue;
        delete e->second.reason;
        entries_.erase(e);
      }
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
  for (int c = 0; c < 4; ++c)
    grid->addWidget(caption(columnCaption(kColumns[c]), tiersBox_), 0, 3 + c, Qt::AlignCenter);
  tierFocus_.clear();
  for (std::size_t i = 0; i < tiers.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const QString name = QStringLiteral("%1段目").arg(i + 1);
    grid->addWidget(caption(name, tiersBox_), row, 0);
    if (i + 1 < tiers.size()) {
      QLineEdit* below =
          makeEntry(tiersBox_, tierReasons_, tierKey(i, "below"),
                    name + QStringLiteral("：約定代金がこの額まで、またはこの額未満（円）"),
                    name + QStringLiteral("の約定代金："));
      below->setText(tiers[i].below);
      grid->addWidget(below, row, 1);
      auto* unit = caption(QString(), tiersBox_);
      unit->setObjectName(QStringLiteral("borderUnit"));
      grid->addWidget(unit, row, 2);
      tierFocus_.push_back(below);
    } else {
      auto* open =
          caption(tiers.size() == 1 ? QStringLiteral("すべての約定代金") : QString(), tiersBox_);
      open->setObjectName(QStringLiteral("openTier"));
      grid->addWidget(open, row, 1, 1, 2, Qt::AlignCenter);
    }
    const QString texts[] = {tiers[i].fee, tiers[i].percent, tiers[i].min, tiers[i].max};
    for (int c = 0; c < 4; ++c) {
      const core::SettingField& f = core::settingField(tierKey(i, kColumns[c]));
      QLineEdit* field =
          makeEntry(tiersBox_, tierReasons_, tierKey(i, kColumns[c]),
                    name + QStringLiteral("：") + columnCaption(kColumns[c]),
                    name + QStringLiteral("の") + qs(f.caption) + QStringLiteral("："));
      entries_.at(tierKey(i, kColumns[c])).optional = c > 0;
      field->setText(texts[c]);
      grid->addWidget(field, row, 3 + c);
      tierFocus_.push_back(field);
    }
    auto* remove = new QPushButton(QStringLiteral("削除"), tiersBox_);
    remove->setObjectName(qs(tierKey(i, "remove")));
    remove->setAccessibleName(name + QStringLiteral("を削除"));
    remove->setAutoDefault(false);
    remove->setEnabled(tiers.size() > 1);
    connect(remove, &QPushButton::clicked, this, [this, i] { removeTier(i); });
    grid->addWidget(remove, row, 7);
    tierFocus_.push_back(remove);
  }
  grid->setColumnStretch(8, 1);
  feesLayout_->insertWidget(2, tiersBox_);
  addTier_->setEnabled(tiers.size() < core::kMaxTiers);
  showBorders();
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

// Tab goes from the name and the border rule down the tiers row by row, then the quantity's and the
// price's entries, the tax rate, and the buttons.
void SettingsDialog::orderTabs() {
  std::vector<QWidget*> order{name_, below_, upTo_};
  order.insert(order.end(), tierFocus_.begin(), tierFocus_.end());
  order.push_back(addTier_);
  order.insert(order.end(), stepFocus_.begin(), stepFocus_.end());
  order.push_back(restore_);
  for (QAbstractButton* b : buttons_->buttons()) order.push_back(b);
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void SettingsDialog::showSettings(const core::TradeSettings& settings) {
  const bool wasFilling = std::exchange(filling_, true);
  name_->setText(qs(settings.name));
  (settings.feeBorders == core::FeeBorders::UpTo ? upTo_ : below_)->setChecked(true);
  std::vector<TierTexts> tiers;
  const auto text = [](std::optional<std::int64_t> units, int decimals) {
    return units ? qs(core::unitsText(*units, decimals)) : QString();
  };
  for (const core::FeeTierSetting& tier : settings.fees)
    tiers.push_back({text(tier.below, 0), text(tier.fee, 0),
                     tier.percent != 0 ? text(tier.percent, 4) : QString(), text(tier.min, 0),
                     text(tier.max, 0)});
  showTiers(tiers);
  const auto put = [this](const std::string& key, std::int64_t units) {
    Entry& e = entries_.at(key);
    e.field->setText(qs(core::unitsText(units, e.decimals)));
  };
  core::forEachStepNumber(settings, put);
  put("taxPercent", settings.taxThousandths);
  showTicks(settings.priceTicks);
  filling_ = wasFilling;
  recheck();
}

// Each entry is read on its own (a number, in whole units), then the rules between entries are
// checked: every entry that is not taken shows its reason at once.
void SettingsDialog::recheck() {
  if (filling_) return;
  std::map<std::string, std::string> faults;
  const auto read = [&](const std::string& key) -> std::optional<std::int64_t> {
    const Entry& e = entries_.at(key);
    const core::Units units = core::readUnits(e.field->text().toStdString(), e.decimals);
    if (units.fault == core::UnitFault::Empty && e.optional) return std::nullopt;
    if (units.fault) {
      faults[key] = core::faultText(*units.fault, e.decimals);
      return std::nullopt;
    }
    return units.value;
  };
  core::TradeSettings settings;
  settings.name = name_->text().toStdString();
  settings.feeBorders = borders();
  for (std::size_t i = 0; i < tierCount_; ++i) {
    core::FeeTierSetting tier;
    if (i + 1 < tierCount_) tier.below = read(tierKey(i, "below")).value_or(0);
    // The fixed fee may stay empty beside a rate.
    const std::string percentKey = tierKey(i, "percent");
    entries_.at(tierKey(i, "fee")).optional =
        !entries_.at(percentKey).field->text().trimmed().isEmpty();
    tier.fee = read(tierKey(i, "fee")).value_or(0);
    tier.percent = read(percentKey).value_or(0);
    tier.min = read(tierKey(i, "min"));
    tier.max = read(tierKey(i, "max"));
    settings.fees.push_back(tier);
  }
  settings.priceTicks = chosenTicks();
  const bool ticked = settings.priceTicks.table != core::TickTable::Fixed;
  core::forEachStepNumber(settings, [&](const std::string& key, std::int64_t& value) {
    const bool aside = ticked && (key == "price.step" || key == "price.bigStep");
    entries_.at(key).field->setEnabled(!aside);
    if (!aside) value = read(key).value_or(0);
  });
  if (ticked) {
    // With a tick table the fixed steps stand aside, unchecked: the file keeps them where they are
    // a pair it takes, else the built-in ones, so that it reads again whatever is chosen later.
    const auto quiet = [this](const std::string& key) -> std::optional<std::int64_t> {
      const Entry& e = entries_.at(key);
      const core::Units units = core::readUnits(e.field->text().toStdString(), e.decimals);
      const core::SettingField& f = core::settingField(key);
      if (units.fault || units.value < f.lowest || units.value > f.highest) return std::nullopt;
      return units.value;
    };
    const auto step = quiet("price.step"), bigStep = quiet("price.bigStep");
    const bool pair = step && bigStep && *step <= *bigStep;
    const core::StepSetting builtIn = core::builtInSettings().price;
    settings.price.step = pair ? *step : builtIn.step;
    settings.price.bigStep = pair ? *bigStep : builtIn.bigStep;
  }
  settings.taxThousandths = read("taxPercent").value_or(0);
  std::string other;
  for (const core::SettingsFault& fault : core::settingsFaults(settings)) {
    if (entries_.count(fault.key))
      faults.emplace(fault.key, fault.reason);  // a text's own fault comes first
    else
      other += (other.empty() ? "" : "\n") + fault.reason;
  }
  for (auto& [key, e] : entries_) {
    const auto fault = faults.find(key);
    const bool taken = fault == faults.end();
    tk::showTaken(e.field, taken);
    const QString reason = taken ? QString() : qs(fault->second);
    e.reason->setText(taken ? QString() : e.what + reason);
    e.reason->setVisible(!taken);
    e.field->setAccessibleDescription(reason);
    e.field->setToolTip(reason);
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
