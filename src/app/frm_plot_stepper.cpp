// The step buttons and their repeat timers.
//
// A click makes one step. A press with any mouse button starts the pair's repeat timer and the
// release, wherever the pointer then is, stops it. Both are taken from the mouse events
// themselves: the button's own pressed/released notifications also fire for the space bar (one
// step, no repeat) and when the pointer slides off while held (the repeat goes on).
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/frm_plot.h"
#include "app/tk/button_filters.h"
#include "stepper/step_rules.h"

namespace app {

namespace {

constexpr int kSlowIntervalMs = 500;
constexpr int kPriceFastIntervalMs = 50;
constexpr int kQuantityFastIntervalMs = 200;

// A repeat timer back to idle: disabled, at the slow interval, no ticks counted.
void resetRepeat(QTimer* timer, core::ChartState& s) {
  timer->stop();
  timer->setInterval(kSlowIntervalMs);
  s.repeatCount = 0;
}

// After a tick's step: the second tick switches the timer to its fast interval for the rest of
// the hold.
void countRepeatTick(QTimer* timer, core::ChartState& s, int fastIntervalMs) {
  if (s.repeatCount == 1) timer->setInterval(fastIntervalMs);
  s.repeatCount = stepper::nextRepeatCount(s.repeatCount);
}

using stepper::Button;

void writeStep(QLineEdit* field, const std::optional<std::string>& text) {
  // The field's change handler runs inside this assignment.
  if (text) field->setText(QString::fromStdString(*text));
}

void stepPriceField(QLineEdit* field, const core::ChartState& s, Button button) {
  writeStep(field, stepper::stepPrice(field->text().toStdString(), s.settings, button));
}

void stepQuantityField(QLineEdit* field, const core::ChartState& s, Button button) {
  writeStep(field, stepper::stepQuantity(field->text().toStdString(), s.settings.quantity, button));
}

}  // namespace

void FrmPlot::connectStepperEvents() {
  // What one step button is tied to: its repeat timer with that timer's reset, the direction flag
  // it writes at the press, and its click.
  struct StepButton {
    QPushButton* FrmPlotControls::*button;
    QTimer* FrmPlotControls::*timer;
    void (FrmPlot::*reset)();
    core::Truth core::ChartState::*direction;
    core::Truth directionAtPress;
    void (FrmPlot::*click)();
  };
  using W = FrmPlot;
  using C = FrmPlotControls;
  static constexpr StepButton kStepButtons[] = {
      {&C::CmdQD, &C::TmrQ, &W::initialTmrQ, &core::ChartState::stepUp, core::kFalse,
       &W::CmdQD_Click},
      {&C::CmdSQD, &C::TmrSQ, &W::initialTmrSQ, &core::ChartState::stepUp, core::kFalse,
       &W::CmdSQD_Click},
      {&C::CmdSQU, &C::TmrSQ, &W::initialTmrSQ, &core::ChartState::stepUp, core::kTrue,
       &W::CmdSQU_Click},
      {&C::CmdQU, &C::TmrQ, &W::initialTmrQ, &core::ChartState::stepUp, core::kTrue,
       &W::CmdQU_Click},
      {&C::CmdDown, &C::TmrSuuryo, &W::initialTmrSuuryo, &core::ChartState::stepUp, core::kFalse,
       &W::CmdDown_Click},
      {&C::CmdSDown, &C::TmrSSuuryo, &W::initialTmrSSuuryo, &core::ChartState::stepUp, core::kFalse,
       &W::CmdSDown_Click},
      {&C::CmdSUp, &C::TmrSSuuryo, &W::initialTmrSSuuryo, &core::ChartState::stepUp, core::kTrue,
       &W::CmdSUp_Click},
      {&C::CmdUp, &C::TmrSuuryo, &W::initialTmrSuuryo, &core::ChartState::stepUp, core::kTrue,
       &W::CmdUp_Click},
      {&C::CmdDownS, &C::TmrSell, &W::initialTmrSell, &core::ChartState::stepUpSell, core::kFalse,
       &W::CmdDownS_Click},
      {&C::CmdSDownS, &C::TmrSSell, &W::initialTmrSSell, &core::ChartState::stepUpSell,
       core::kFalse, &W::CmdSDownS_Click},
      {&C::CmdSUpS, &C::TmrSSell, &W::initialTmrSSell, &core::ChartState::stepUpSell, core::kTrue,
       &W::CmdSUpS_Click},
      {&C::CmdUpS, &C::TmrSell, &W::initialTmrSell, &core::ChartState::stepUpSell, core::kTrue,
       &W::CmdUpS_Click},
  };

  for (const StepButton& wiring : kStepButtons) {
    QPushButton* button = ui.*wiring.button;
    connect(button, &QPushButton::clicked, this,
            [this, click = wiring.click] { (this->*click)(); });
    // No step at the press: the timer, at its slow interval since the last reset, ticks first
    // 500 ms later. A second press while it runs leaves its schedule alone.
    const auto pressed = [this, &wiring] {
      state.*wiring.direction = wiring.directionAtPress;
      if (QTimer* timer = ui.*wiring.timer; !timer->isActive()) timer->start();
    };
    const auto released = [this, &wiring] { (this->*wiring.reset)(); };
    button->installEventFilter(new tk::MouseHoldWatcher(pressed, released, button));
  }
  connect(ui.TmrSuuryo, &QTimer::timeout, this, [this] { TmrSuuryo_Timer(); });
  connect(ui.TmrSSuuryo, &QTimer::timeout, this, [this] { TmrSSuuryo_Timer(); });
  connect(ui.TmrSell, &QTimer::timeout, this, [this] { TmrSell_Timer(); });
  connect(ui.TmrSSell, &QTimer::timeout, this, [this] { TmrSSell_Timer(); });
  connect(ui.TmrQ, &QTimer::timeout, this, [this] { TmrQ_Timer(); });
  connect(ui.TmrSQ, &QTimer::timeout, this, [this] { TmrSQ_Timer(); });
}

// Each button steps its field with its row's settings; the keys and the wheel in the fields come
// here too.
void FrmPlot::CmdQD_Click() { stepQuantityField(ui.TxtQua, state, Button::BigDown); }
void FrmPlot::CmdSQD_Click() { stepQuantityField(ui.TxtQua, state, Button::SmallDown); }
void FrmPlot::CmdSQU_Click() { stepQuantityField(ui.TxtQua, state, Button::SmallUp); }
void FrmPlot::CmdQU_Click() { stepQuantityField(ui.TxtQua, state, Button::BigUp); }

void FrmPlot::CmdDown_Click() { stepPriceField(ui.TxtBP, state, Button::BigDown); }
void FrmPlot::CmdSDown_Click() { stepPriceField(ui.TxtBP, state, Button::SmallDown); }
void FrmPlot::CmdSUp_Click() { stepPriceField(ui.TxtBP, state, Button::SmallUp); }
void FrmPlot::CmdUp_Click() { stepPriceField(ui.TxtBP, state, Button::BigUp); }

void FrmPlot::CmdDownS_Click() { stepPriceField(ui.TxtSP, state, Button::BigDown); }
void FrmPlot::CmdSDownS_Click() { stepPriceField(ui.TxtSP, state, Button::SmallDown); }
void FrmPlot::CmdSUpS_Click() { stepPriceField(ui.TxtSP, state, Button::SmallUp); }
void FrmPlot::CmdUpS_Click() { stepPriceField(ui.TxtSP, state, Button::BigUp); }

// Each button's tool tip (and the description a screen reader gives) says the step it makes.
void FrmPlot::ShowStepTips() {
  using C = FrmPlotControls;
  static constexpr struct {
    QPushButton* C::*button;
    Button kind;
    const char* row;  // the row's caption, for the button's accessible name
    bool quantity;
  } kButtons[] = {
      {&C::CmdQD, Button::BigDown, "数量", true},
      {&C::CmdSQD, Button::SmallDown, "数量", true},
      {&C::CmdSQU, Button::SmallUp, "数量", true},
      {&C::CmdQU, Button::BigUp, "数量", true},
      {&C::CmdDown, Button::BigDown, "買付単価", false},
      {&C::CmdSDown, Button::SmallDown, "買付単価", false},
      {&C::CmdSUp, Button::SmallUp, "買付単価", false},
      {&C::CmdUp, Button::BigUp, "買付単価", false},
      {&C::CmdDownS, Button::BigDown, "売却単価", false},
      {&C::CmdSDownS, Button::SmallDown, "売却単価", false},
      {&C::CmdSUpS, Button::SmallUp, "売却単価", false},
      {&C::CmdUpS, Button::BigUp, "売却単価", false},
  };
  for (const auto& b : kButtons) {
    QPushButton* button = ui.*b.button;
    const QString tip =
        QString::fromStdString(b.quantity ? stepper::quantityTip(state.settings.quantity, b.kind)
                                          : stepper::priceTip(state.settings, b.kind));
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    button->setAccessibleName(QString::fromUtf8(b.row) + QLatin1Char(' ') + tip);
  }
}

void FrmPlot::initialTmrSuuryo() { resetRepeat(ui.TmrSuuryo, state); }
void FrmPlot::initialTmrSSuuryo() { resetRepeat(ui.TmrSSuuryo, state); }
void FrmPlot::initialTmrSell() { resetRepeat(ui.TmrSell, state); }
void FrmPlot::initialTmrSSell() { resetRepeat(ui.TmrSSell, state); }
void FrmPlot::initialTmrSQ() { resetRepeat(ui.TmrSQ, state); }
void FrmPlot::initialTmrQ() { resetRepeat(ui.TmrQ, state); }

// Each tick steps the way the last pressed button of its pair points, with that button's limit;
// a refused step does not stop the timer.
void FrmPlot::TmrSuuryo_Timer() {
  state.stepUp != core::kFalse ? CmdUp_Click() : CmdDown_Click();
  countRepeatTick(ui.TmrSuuryo, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSSuuryo_Timer() {
  state.stepUp != core::kFalse ? CmdSUp_Click() : CmdSDown_Click();
  countRepeatTick(ui.TmrSSuuryo, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSell_Timer() {
  state.stepUpSell != core::kFalse ? CmdUpS_Click() : CmdDownS_Click();
  countRepeatTick(ui.TmrSell, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSSell_Timer() {
  state.stepUpSell != core::kFalse ? CmdSUpS_Click() : CmdSDownS_Click();
  countRepeatTick(ui.TmrSSell, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrQ_Timer() {
  state.stepUp != core::kFalse ? CmdQU_Click() : CmdQD_Click();
  countRepeatTick(ui.TmrQ, state, kQuantityFastIntervalMs);
}
void FrmPlot::TmrSQ_Timer() {
  state.stepUp != core::kFalse ? CmdSQU_Click() : CmdSQD_Click();
  countRepeatTick(ui.TmrSQ, state, kQuantityFastIntervalMs);
}

}  // namespace app
