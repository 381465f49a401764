// The one full refresh of the picture.
#include "app/frm_plot.h"
#include "chart/graph_make.h"
#include "trade/entry_fields.h"

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
  chartArea->follow(state);
  update();
}

// The quantity is read with the entry field's own rule, and only while the field's text is taken:
// a text the field refused (shown red) is never taken behind its back by a later redraw, not even
// once a narrower view or other prices would let its amounts fit. Zooming, panning or resizing
// never changes the trade.
void FrmPlot::GraphMake() {
  const std::string text = TxtQua->text().toStdString();
  const bool taken = quantityTextTaken;
  chart::GraphMake(state, surface, [&text, taken](const ChartState& s) {
    return taken ? trade::acceptQuantity(s, text) : std::nullopt;
  });
}
