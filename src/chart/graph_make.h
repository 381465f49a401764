#pragma once
// Drawing the chart: axis titles, the grid with its tick labels, the two axes and the amount lines.
#include "chart/canvas.h"
#include "core/chart_state.h"

namespace chart {

// Draws the whole chart of the state's view and quantity on an already cleared canvas.
void GraphMake(core::ChartState& s, Canvas& canvas);

}  // namespace chart
