#pragma once
// Drawing the chart: axis titles, the grid with its tick labels, the two axes and the amount lines.
#include <functional>
#include <optional>

#include "app/chart_state.h"
#include "app/toolkit.h"

namespace chart {

// True when the view can be drawn: positive finite spans and finite ends.
bool viewIsDrawable(const ChartState& s);

// Reads the quantity field for the redraw, once the view's ends are up to date; nothing when the
// field's text is not taken, and the last good quantity stays in force.
using QuantityReader = std::function<std::optional<float>(const ChartState&)>;

// Draws the whole chart on an already cleared surface.
void GraphMake(ChartState& s, tk::DrawingSurface& surface, const QuantityReader& readQuantity);

}  // namespace chart
