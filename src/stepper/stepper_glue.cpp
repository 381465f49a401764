// The step buttons and their repeat timers.
//
// A click makes one step. A press with any mouse button starts the pair's repeat timer and the
// release, wherever the pointer then is, stops it. Both are taken from the mouse events
// themselves: the button's own pressed/released notifications also fire for the space bar (one
// step, no repeat) and when the pointer slides off while held (the repeat goes on).
#include <QEvent>
#include <QMouseEvent>
#include <QObject>

#include "app/frm_plot.h"
#include "stepper/step_rules.h"

namespace {

constexpr int kSlowIntervalMs = 500;
constexpr int kPriceFastIntervalMs = 50;
constexpr int kQuantityFastIntervalMs = 200;

// A repeat timer back to idle: disabled, at the slow interval, no ticks counted.
void resetRepeat(QTimer* timer, ChartState& s) {
  timer->stop();
  timer->setInterval(kSlowIntervalMs);
  s.repeatCount = 0;
}

// After a tick's step: the second tick switches the timer to its fast interval for the rest of
// the hold.
void countRepeatTick(QTimer* timer, ChartState& s, int fastIntervalMs) {
  if (s.repeatCount == 1) timer->setInterval(fastIntervalMs);
  s.repeatCount = steprules::nextRepeatCount(s.repeatCount);
}

void writeStep(QLineEdit* field, const std::optional<std::string>& text) {
  // The field's change handler runs inside this assignment.
  if (text) field->setText(QString::fromStdString(*text));
}

// What one step button is tied to: its repeat timer with that timer's reset, the direction flag
// it writes at the press, and its click.
struct StepButton {
  QPushButton* FrmPlot::*button;
  QTimer* FrmPlot::*timer;
  void (FrmPlot::*reset)();
  Truth ChartState::*direction;
  Truth directionAtPress;
  void (FrmPlot::*click)();
};

constexpr StepButton kStepButtons[] = {
    {&FrmPlot::CmdQD, &FrmPlot::TmrQ, &FrmPlot::initialTmrQ, &ChartState::stepUp, kFalse,
     &FrmPlot::CmdQD_Click},
    {&FrmPlot::CmdSQD, &FrmPlot::TmrSQ, &FrmPlot::initialTmrSQ, &ChartState::stepUp, kFalse,
     &FrmPlot::CmdSQD_Click},
    {&FrmPlot::CmdSQU, &FrmPlot::TmrSQ, &FrmPlot::initialTmrSQ, &ChartState::stepUp, kTrue,
     &FrmPlot::CmdSQU_Click},
    {&FrmPlot::CmdQU, &FrmPlot::TmrQ, &FrmPlot::initialTmrQ, &ChartState::stepUp, kTrue,
     &FrmPlot::CmdQU_Click},
    {&FrmPlot::CmdDown, &FrmPlot::TmrSuuryo, &FrmPlot::initialTmrSuuryo, &ChartState::stepUp,
     kFalse, &FrmPlot::CmdDown_Click},
    {&FrmPlot::CmdSDown, &FrmPlot::TmrSSuuryo, &FrmPlot::initialTmrSSuuryo, &ChartState::stepUp,
     kFalse, &FrmPlot::CmdSDown_Click},
    {&FrmPlot::CmdSUp, &FrmPlot::TmrSSuuryo, &FrmPlot::initialTmrSSuuryo, &ChartState::stepUp,
     kTrue, &FrmPlot::CmdSUp_Click},
    {&FrmPlot::CmdUp, &FrmPlot::TmrSuuryo, &FrmPlot::initialTmrSuuryo, &ChartState::stepUp, kTrue,
     &FrmPlot::CmdUp_Click},
    {&FrmPlot::CmdDownS, &FrmPlot::TmrSell, &FrmPlot::initialTmrSell, &ChartState::stepUpSell,
     kFalse, &FrmPlot::CmdDownS_Click},
    {&FrmPlot::CmdSDownS, &FrmPlot::TmrSSell, &FrmPlot::initialTmrSSell, &ChartState::stepUpSell,
     kFalse, &FrmPlot::CmdSDownS_Click},
    {&FrmPlot::CmdSUpS, &FrmPlot::TmrSSell, &FrmPlot::initialTmrSSell, &ChartState::stepUpSell,
     kTrue, &FrmPlot::CmdSUpS_Click},
    {&FrmPlot::CmdUpS, &FrmPlot::TmrSell, &FrmPlot::initialTmrSell, &ChartState::stepUpSell, kTrue,
     &FrmPlot::CmdUpS_Click},
};

// Watches one step button's mouse presses and releases.
class StepButtonMouse : public QObject {
 public:
  StepButtonMouse(FrmPlot* window, const StepButton& wiring, QObject* parent)
      : QObject(parent), window_(window), wiring_(wiring) {}

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:  // the second press of a quick double press
        mouseDown();
        break;
      case QEvent::MouseButtonRelease:
        (window_->*wiring_.reset)();
        break;
      default:
        return false;
    }
    // The button turns a primary press and release over it into a click, so it gets those. It
    // ignores the other mouse buttons; they end here, never reaching the frame or the chart.
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) return false;
    event->accept();
    return true;
  }

 private:
  // No step at the press: the timer, at its slow interval since the last reset, ticks first
  // 500 ms later. A second press while it runs leaves its schedule alone.
  void mouseDown() {
    window_->state.*wiring_.direction = wiring_.directionAtPress;
    QTimer* timer = window_->*wiring_.timer;
    if (!timer->isActive()) timer->start();
  }

  FrmPlot* window_;
  StepButton wiring_;
};

}  // namespace

void FrmPlot::connectStepperEvents() {
  for (const StepButton& wiring : kStepButtons) {
    QPushButton* button = this->*wiring.button;
    connect(button, &QPushButton::clicked, this,
            [this, click = wiring.click] { (this->*click)(); });
    button->installEventFilter(new StepButtonMouse(this, wiring, button));
  }
  connect(TmrSuuryo, &QTimer::timeout, this, [this] { TmrSuuryo_Timer(); });
  connect(TmrSSuuryo, &QTimer::timeout, this, [this] { TmrSSuuryo_Timer(); });
  connect(TmrSell, &QTimer::timeout, this, [this] { TmrSell_Timer(); });
  connect(TmrSSell, &QTimer::timeout, this, [this] { TmrSSell_Timer(); });
  connect(TmrQ, &QTimer::timeout, this, [this] { TmrQ_Timer(); });
  connect(TmrSQ, &QTimer::timeout, this, [this] { TmrSQ_Timer(); });
}

void FrmPlot::CmdQD_Click() {
  writeStep(TxtQua, steprules::stepQuantity(TxtQua->text().toStdString(),
                                            steprules::kQuantityDown10000, state.quantityMax));
}
void FrmPlot::CmdSQD_Click() {
  writeStep(TxtQua, steprules::stepQuantity(TxtQua->text().toStdString(),
                                            steprules::kQuantityDown1000, state.quantityMax));
}
void FrmPlot::CmdSQU_Click() {
  writeStep(TxtQua, steprules::stepQuantity(TxtQua->text().toStdString(),
                                            steprules::kQuantityUp1000, state.quantityMax));
}
void FrmPlot::CmdQU_Click() {
  writeStep(TxtQua, steprules::stepQuantity(TxtQua->text().toStdString(),
                                            steprules::kQuantityUp10000, state.quantityMax));
}

void FrmPlot::CmdDown_Click() {
  writeStep(TxtBP, steprules::stepPrice(TxtBP->text().toStdString(), steprules::kPriceDown1));
}
void FrmPlot::CmdSDown_Click() {
  writeStep(TxtBP, steprules::stepPrice(TxtBP->text().toStdString(), steprules::kPriceDownCent));
}
void FrmPlot::CmdSUp_Click() {
  writeStep(TxtBP, steprules::stepPrice(TxtBP->text().toStdString(), steprules::kPriceUpCent));
}
void FrmPlot::CmdUp_Click() {
  writeStep(TxtBP, steprules::stepPrice(TxtBP->text().toStdString(), steprules::kPriceUp1));
}

void FrmPlot::CmdDownS_Click() {
  writeStep(TxtSP, steprules::stepPrice(TxtSP->text().toStdString(), steprules::kPriceDown1));
}
void FrmPlot::CmdSDownS_Click() {
  writeStep(TxtSP, steprules::stepPrice(TxtSP->text().toStdString(), steprules::kPriceDownCent));
}
void FrmPlot::CmdSUpS_Click() {
  writeStep(TxtSP, steprules::stepPrice(TxtSP->text().toStdString(), steprules::kPriceUpCent));
}
void FrmPlot::CmdUpS_Click() {
  writeStep(TxtSP, steprules::stepPrice(TxtSP->text().toStdString(), steprules::kPriceUp1));
}

void FrmPlot::initialTmrSuuryo() { resetRepeat(TmrSuuryo, state); }
void FrmPlot::initialTmrSSuuryo() { resetRepeat(TmrSSuuryo, state); }
void FrmPlot::initialTmrSell() { resetRepeat(TmrSell, state); }
void FrmPlot::initialTmrSSell() { resetRepeat(TmrSSell, state); }
void FrmPlot::initialTmrSQ() { resetRepeat(TmrSQ, state); }
void FrmPlot::initialTmrQ() { resetRepeat(TmrQ, state); }

// Each tick steps the way the last pressed button of its pair points, with that button's limit;
// a refused step does not stop the timer.
void FrmPlot::TmrSuuryo_Timer() {
  state.stepUp != kFalse ? CmdUp_Click() : CmdDown_Click();
  countRepeatTick(TmrSuuryo, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSSuuryo_Timer() {
  state.stepUp != kFalse ? CmdSUp_Click() : CmdSDown_Click();
  countRepeatTick(TmrSSuuryo, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSell_Timer() {
  state.stepUpSell != kFalse ? CmdUpS_Click() : CmdDownS_Click();
  countRepeatTick(TmrSell, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrSSell_Timer() {
  state.stepUpSell != kFalse ? CmdSUpS_Click() : CmdSDownS_Click();
  countRepeatTick(TmrSSell, state, kPriceFastIntervalMs);
}
void FrmPlot::TmrQ_Timer() {
  state.stepUp != kFalse ? CmdQU_Click() : CmdQD_Click();
  countRepeatTick(TmrQ, state, kQuantityFastIntervalMs);
}
void FrmPlot::TmrSQ_Timer() {
  state.stepUp != kFalse ? CmdSQU_Click() : CmdSQD_Click();
  countRepeatTick(TmrSQ, state, kQuantityFastIntervalMs);
}
