#pragma once
// The rectangle zoom: which presses count (the plot area, borders included), the rubber band from
// the first corner to the pointer, and the new view made from the rectangle, widened outwards to
// whole tick steps.
#include <cstdint>
#include <optional>

#include "core/chart_state.h"

namespace view {

// A rectangle on the window surface in millimetres, as the selection shape holds it.
struct AreaRect {
  float left = 0, top = 0, width = 0, height = 0;
};

// The press lies in the plot area; every bound is inclusive and the right and top edges are
// rounded to single precision first.
bool insidePlotArea(const core::ChartState& s, float x, float y);

// The rectangle between the first corner and the pointer, whichever way the pointer went.
AreaRect rubberBand(float anchorX, float anchorY, float x, float y);

// v to the nearest whole number, halves to the even neighbour, as a 32-bit signed integer;
// nothing when it lies beyond that range.
std::optional<std::int32_t> roundToInt32(float v);

// The upper end of an axis from the rectangle's high edge and the axis step: with a step of
// exactly 1 always round(high) + 1; otherwise the step multiple at or above round(high) by
// whole-number division. Nothing when it needs an integer beyond 32 bits.
std::optional<double> snappedUpperEnd(float high, float step);

// The rectangle one wheel notch zooms into: half the plot area's width and height, centred on the
// pointer at (x, y) and shifted, not shrunk, to lie inside the plot area.
AreaRect wheelZoomArea(const core::ChartState& s, float x, float y);

// Everything one completed selection writes.
struct ZoomPlan {
  float areaPriceLow, areaPriceHigh, areaAmountHigh, areaAmountLow;
  float priceStep, amountStep;
  core::SavedView view;  // priceMin, priceSpan, amountMin, amountSpan
};

// The zoom for the selection rectangle `area` over the chart on screen. labelWidth is the width of
// "MM" and lineHeight the height of "M" (the tick-step searches' measures). Nothing when the new
// view would need a number beyond 32 bits or could not be shown; the state is not touched.
std::optional<ZoomPlan> planZoom(const core::ChartState& s, const AreaRect& area, float labelWidth,
                                 float lineHeight);

// The same zoom from the axis values of the rectangle's edges.
std::optional<ZoomPlan> planZoomTo(const core::ChartState& s, float priceLow, float priceHigh,
                                   float amountLow, float amountHigh, float labelWidth,
                                   float lineHeight);

// The ranges a fitted view must show: each axis with its margins, and the content itself.
struct FitRanges {
  double priceLow, priceHigh, amountLow, amountHigh;
  double contentPriceLow, contentPriceHigh, contentAmountLow, contentAmountHigh;
};

// A view fitted to given ranges of the two axes, snapped outward to whole tick steps as a
// rectangle zoom is; where the snapped upper end falls short of the content, that axis takes one
// step more. Where the rectangle's snapping cannot express the view (ends beyond 32-bit
// integers), the ends are snapped outward in doubles. Nothing when no view can show the content
// inside its edges.
std::optional<ZoomPlan> planFit(const core::ChartState& s, const FitRanges& ranges,
                                float labelWidth, float lineHeight);

// Writes the plan's values into the state (the caller hides the rectangle, pushes and redraws).
void applyZoom(core::ChartState& s, const ZoomPlan& plan);

}  // namespace view
