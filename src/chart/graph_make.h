#pragma once
// Drawing the chart: axis titles, the grid with its tick labels, the two axes and the amount lines.
#include <string_view>

#include "app/chart_state.h"
#include "app/toolkit.h"

namespace chart {

// True when the view can be drawn: positive finite spans and finite ends.
bool viewIsDrawable(const ChartState& s);

// Draws the whole chart on an already cleared surface. quantityText is the quantity field's text;
// a text that is not a positive number leaves the last good quantity in force.
void GraphMake(ChartState& s, tk::DrawingSurface& surface, std::string_view quantityText);

}  // namespace chart
