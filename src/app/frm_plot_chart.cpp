// The one full refresh of the picture. It draws what the state holds and reads no field: the
// entry fields' change handlers have already taken their values into the state.
#include "app/frm_plot.h"
#include "app/tk/chart_accessible.h"
#include "chart/graph_make.h"
#include "core/mapping.h"

namespace app {

void FrmPlot::ReDraw() {
  // A view that cannot be mapped (a span that is not positive, an end that is not finite) is
  // never drawn: the last picture, markers and readout stay as they are.
  if (!core::viewIsDrawable(state)) return;
  NoteChange();  // the view, the quantity, the size or the settings changed: keep them
  surface.Cls();
  chart::GraphMake(state, surface);
  MoveLinB();
  MoveLinS();
  MoveLinBYaku();
  MoveLinSYaku();
  CalcSoneki();
  ui.chartArea->follow(state);
  update(surface.changed());
}

}  // namespace app
