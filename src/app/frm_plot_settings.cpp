// The trade settings in force: the fee tiers, the step buttons' units and limits and the tax rate.
#include "app/frm_plot.h"

// New settings take effect at once: the step buttons' tips, every field's text checked afresh
// (the fees decide which amounts stay finite), and the chart, markers and readout redrawn. The
// view and its history stay.
void FrmPlot::ApplySettings(const TradeSettings& settings) {
  state.settings = settings;
  ShowStepTips();
  TxtBP_Change();
  TxtSP_Change();
  takeQuantity();
  ReDraw();
}
