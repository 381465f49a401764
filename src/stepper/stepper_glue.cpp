// The step buttons and their repeat timers.
#include "app/frm_plot.h"

namespace {
// A repeat timer back to idle: disabled, at the slow interval, no ticks counted.
void resetRepeat(QTimer* timer, ChartState& s) {
  timer->stop();
  timer->setInterval(500);
  s.repeatCount = 0;
}
}  // namespace

void FrmPlot::connectStepperEvents() {}

void FrmPlot::initialTmrSuuryo() { resetRepeat(TmrSuuryo, state); }
void FrmPlot::initialTmrSSuuryo() { resetRepeat(TmrSSuuryo, state); }
void FrmPlot::initialTmrSell() { resetRepeat(TmrSell, state); }
void FrmPlot::initialTmrSSell() { resetRepeat(TmrSSell, state); }
void FrmPlot::initialTmrSQ() { resetRepeat(TmrSQ, state); }
void FrmPlot::initialTmrQ() { resetRepeat(TmrQ, state); }
void FrmPlot::TmrSuuryo_Timer() {}
void FrmPlot::TmrSSuuryo_Timer() {}
void FrmPlot::TmrSell_Timer() {}
void FrmPlot::TmrSSell_Timer() {}
void FrmPlot::TmrQ_Timer() {}
void FrmPlot::TmrSQ_Timer() {}
