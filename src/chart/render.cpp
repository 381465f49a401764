// The one full refresh of the picture.
#include "app/frm_plot.h"
#include "chart/graph_make.h"

void FrmPlot::ReDraw() {
  // A view that cannot be mapped (a span that is not positive, an end that is not finite) is
  // never drawn: the last picture, markers and readout stay as they are.
  if (!chart::viewIsDrawable(state)) return;
  surface.Cls();
  GraphMake();
  MoveLinB();
  MoveLinS();
  MoveLinBYaku();
  MoveLinSYaku();
  CalcSoneki();
  update();
}

void FrmPlot::GraphMake() { chart::GraphMake(state, surface, TxtQua->text().toStdString()); }
