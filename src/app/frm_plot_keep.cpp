// What the window keeps between runs: the last trade, the window size and the chart's view of its
// settings file (state.json, written a second after the last change and when the window closes),
// and the named trades (銘柄, trades.json) saved, chosen and deleted from the list under the
// buttons.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

#include "app/frm_plot.h"
#include "app/tk/fresh_combo_box.h"
#include "app/tk/message_box.h"
#include "app/tk/refused_entry.h"
#include "app/tk/units.h"
#include "app/trades_store.h"
#include "core/number_text.h"

namespace app {

namespace {
// A crash loses at most this much of the last changes.
constexpr int kKeepDelayMs = 1000;
}  // namespace

void FrmPlot::connectKeepEvents(const QString& settingsPath) {
  namedTrades = std::make_unique<TradesStore>(keptFolder() + QStringLiteral("/trades.json"));
  if (const auto message = namedTrades->load()) tk::showMessage(this, *message);
  ShowTradeNames();
  ui.CmbTrades->setCurrentIndex(-1);
  // Another window may have saved or deleted names since: the list is read again as it opens.
  ui.CmbTrades->setRefill([this] {
    if (const auto message = namedTrades->load()) tk::showMessage(this, *message);
    ShowTradeNames();
  });
  connect(ui.CmbTrades, &QComboBox::activated, this,
          [this](int index) { CmbTrades_Click(ui.CmbTrades->itemText(index)); });
  connect(ui.CmbTrades, &QComboBox::currentTextChanged, this, [this] { ShowTradeButtons(); });
  connect(ui.CmdSaveTrade, &QPushButton::clicked, this, [this] { CmdSaveTrade_Click(); });
  connect(ui.CmdDeleteTrade, &QPushButton::clicked, this, [this] { CmdDeleteTrade_Click(); });

  // A window without a settings file keeps nothing of its own.
  if (settingsPath.isEmpty()) return;
  ui.TmrKeep = new QTimer(this);
  ui.TmrKeep->setObjectName(QStringLiteral("TmrKeep"));
  ui.TmrKeep->setSingleShot(true);  // restarted by every change: it fires once they pause
  ui.TmrKeep->setInterval(kKeepDelayMs);
  connect(ui.TmrKeep, &QTimer::timeout, this, [this] { TmrKeep_Timer(); });
  for (QLineEdit* field : {ui.TxtQua, ui.TxtBP, ui.TxtSP, ui.TxtTarget})
    connect(field, &QLineEdit::textChanged, this, [this] { NoteChange(); });
  connect(ui.ChkNisa, &QCheckBox::toggled, this, [this] { NoteChange(); });

  keptState =
      std::make_unique<StateStore>(keptFolder() + QStringLiteral("/state.json"), settingsPath);
  QString message;
  const std::optional<KeptWindow> kept = keptState->load(&message);
  if (!message.isEmpty()) tk::showMessage(this, message);
  if (kept) RestoreKept(*kept);
  lastKept = KeptNow();
  ui.TmrKeep->stop();  // what was just read needs no writing
}

// The size, the view, then the trade: whether a quantity is taken depends on the view.
void FrmPlot::RestoreKept(const KeptWindow& kept) {
  if ((state.compactMode != core::kFalse) != kept.compact) CmdSize_Click();
  core::showView(state, kept.view);
  state.viewHistory.assign(1, core::currentView(state));
  state.historyIndex = 0;
  ReDraw();  // the view's ends, which decide whether the quantity is taken
  ShowTrade(kept.trade);
}

// The trade as the fields show it: a text a field took as typed, else the value in force.
KeptTrade FrmPlot::TradeShown() const {
  KeptTrade trade;
  const auto shown = [](const QLineEdit* field, const std::string& inForce) {
    return tk::shownRefused(field) ? QString::fromStdString(inForce) : field->text().trimmed();
  };
  trade.quantity = shown(ui.TxtQua, core::plainText(state.quantityDecimal));
  // Written as the step buttons write a price, unless that would round it.
  const auto price = [](const core::Decimal& value) {
    return value.exponent() >= -2 ? core::fixedText(value, 2) : core::plainText(value);
  };
  trade.buyPrice = shown(ui.TxtBP, price(state.buyPriceDecimal));
  trade.sellPrice = shown(ui.TxtSP, price(state.sellPriceDecimal));
  trade.target = shown(
      ui.TxtTarget, state.targetAfterTax ? std::to_string(*state.targetAfterTax) : std::string());
  trade.nisa = ui.ChkNisa->isChecked();
  return trade;
}

KeptWindow FrmPlot::KeptNow() const {
  return {TradeShown(), state.compactMode != core::kFalse, core::currentView(state)};
}

void FrmPlot::NoteChange() {
  if (ui.TmrKeep) ui.TmrKeep->start();
}

void FrmPlot::TmrKeep_Timer() { WriteKept(false); }

// Writes the kept window when it differs from the file's. A failure is said once per change.
void FrmPlot::WriteKept(bool quiet) {
  if (!keptState) return;
  const KeptWindow now = KeptNow();
  if (lastKept == now) return;
  if (const std::optional<QString> message = keptState->save(now)) {
    if (quiet)
      qWarning("%s", qPrintable(*message));
    else
      tk::showMessage(this, *message);
  }
  lastKept = now;  // not tried again until the next change
}

void FrmPlot::closeEvent(QCloseEvent* event) {
  if (ui.TmrKeep && ui.TmrKeep->isActive()) {
    ui.TmrKeep->stop();
    WriteKept(false);
  }
  QWidget::closeEvent(event);
}

FrmPlot::~FrmPlot() {
  if (ui.TmrKeep && ui.TmrKeep->isActive()) WriteKept(true);
}

// The trade into the fields, each taken as if typed. Whether a text is taken depends on the other
// fields' values (their amounts must stay finite), so a text refused while another field still
// held the old value is typed again once the others are in.
void FrmPlot::ShowTrade(const KeptTrade& trade) {
  ui.ChkNisa->setChecked(trade.nisa);
  ui.TxtTarget->setText(trade.target);
  const std::array<std::pair<QLineEdit*, QString>, 3> fields = {
      {{ui.TxtQua, trade.quantity}, {ui.TxtBP, trade.buyPrice}, {ui.TxtSP, trade.sellPrice}}};
  for (const auto& [field, text] : fields) field->setText(text);
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& [field, text] : fields) {
      if (!tk::shownRefused(field)) continue;
      field->clear();
      field->setText(text);
    }
  }
}

// The list of names, keeping what is typed in it.
void FrmPlot::ShowTradeNames() {
  const QString typed = ui.CmbTrades->currentText();
  const QSignalBlocker quiet(ui.CmbTrades);
  ui.CmbTrades->clear();
  for (const NamedTrade& t : namedTrades->trades()) ui.CmbTrades->addItem(t.name);
  ui.CmbTrades->setCurrentIndex(ui.CmbTrades->findText(typed));
  ui.CmbTrades->setEditText(typed);
  ShowTradeButtons();
}

// 保存 needs a name, 削除 a name in the list.
void FrmPlot::ShowTradeButtons() {
  const QString name = ui.CmbTrades->currentText().trimmed();
  ui.CmdSaveTrade->setEnabled(!name.isEmpty());
  ui.CmdDeleteTrade->setEnabled(namedTrades->find(name) != nullptr);
  ShapeTradeNames();
}

// The names take the window's unshaped font while none has a combining mark; one that has (a
// dakuten written apart, as some systems store names) takes the shaped font, which joins the mark
// to its letter, for the box and its list.
void FrmPlot::ShapeTradeNames() {
  const auto marked = [](const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isMark(); });
  };
  bool marks = marked(ui.CmbTrades->currentText());
  for (int i = 0; i < ui.CmbTrades->count() && !marks; ++i)
    marks = marked(ui.CmbTrades->itemText(i));
  if (marks != ui.CmbTrades->testAttribute(Qt::WA_SetFont))
    ui.CmbTrades->setFont(marks ? tk::windowFont() : QFont());  // an empty font: the window's
}

// A name chosen brings its trade back and the view fitted to it, as one view that 戻る undoes.
// A large quantity may be refused for the view shown (its amount lines would overflow at the
// view's ends): it is typed again in the start view, which the fit then replaces; should the fit
// not come about, the view shown before comes back.
void FrmPlot::CmbTrades_Click(const QString& name) {
  const KeptTrade* found = namedTrades->find(name);
  if (!found) return;
  const KeptTrade trade = *found;
  ShowTrade(trade);
  const core::SavedView shown = core::currentView(state);
  const std::size_t views = state.viewHistory.size();
  const float index = state.historyIndex;
  if (!AllFieldsTaken()) {
    core::ChartState start;
    core::setStartView(start);
    core::showView(state, core::currentView(start));
    ReDraw();
    ShowTrade(trade);
  }
  CmdFit_Click();
  if (state.viewHistory.size() == views && state.historyIndex == index &&
      core::currentView(state) != shown) {
    core::showView(state, shown);
    ReDraw();
  }
}

void FrmPlot::CmdSaveTrade_Click() {
  const QString name = ui.CmbTrades->currentText().trimmed();
  if (name.isEmpty()) {
    tk::showMessage(this, QStringLiteral("銘柄の名前を入れてください。"));
    return;
  }
  // What another window saved counts: the question is asked of the file as it is now.
  if (const auto message = namedTrades->load()) tk::showMessage(this, *message);
  if (namedTrades->find(name) &&
      !tk::ask(this,
               QStringLiteral("「%1」はすでにあります。いまの取引で置き換えますか？").arg(name))) {
    ShowTradeNames();
    return;
  }
  if (const auto message = namedTrades->put(name, TradeShown())) tk::showMessage(this, *message);
  ui.CmbTrades->setEditText(name);
  ShowTradeNames();
}

void FrmPlot::CmdDeleteTrade_Click() {
  const QString name = ui.CmbTrades->currentText().trimmed();
  if (const auto message = namedTrades->load()) tk::showMessage(this, *message);
  ShowTradeNames();
  if (!namedTrades->find(name)) {
    tk::showMessage(this, name.isEmpty()
                              ? QStringLiteral("削除する銘柄を選んでください。")
                              : QStringLiteral("「%1」という銘柄はありません。").arg(name));
    return;
  }
  if (!tk::ask(this, QStringLiteral("「%1」を削除しますか？").arg(name))) return;
  if (const auto message = namedTrades->remove(name)) tk::showMessage(this, *message);
  ui.CmbTrades->setEditText(QString());
  ShowTradeNames();
}

}  // namespace app
