#pragma once
// The buy and sell settlement-amount lines, one segment per fee tier (more where a rate meets its
// minimum or maximum), clipped to the plot area.
#include <cstddef>

#include "chart/canvas.h"
#include "core/chart_state.h"

namespace chart {

// Moves the tier window on: tierStartPrice 0.01 above the previous end, tierEndPrice the last price
// whose trade value (stored as a float) is still below tempPrice, found by an exact 0.01 walk
// that accumulates single-precision rounding.
void Border(core::ChartState& s, float tempPrice);

// The walk itself, from `price` to the first price whose trade value (stored as a float) is not
// below `threshold`; it takes whole runs of equal 0.01 steps at once. Where a float can no longer
// advance by 0.01, it goes on one float at a time (by bisection), so it always ends.
// A trade value equal to the threshold lies in the tier the border rule says.
float walkFast(float quantity, float price, float threshold,
               core::FeeBorders rule = core::FeeBorders::Below);

// The step of the walk, and of the gap between one tier's last price and the next tier's first.
inline constexpr double kWalkStep = 0.01;

// The colour of a tier's segment on one side: the light, middle and dark colour of the side for
// three tiers, the light and the dark one for two, the middle one for a single tier, and evenly
// spaced shades of a wider ramp in tier order for more.
core::Colour tierColour(bool buy, std::size_t tier, std::size_t tiers);

// Clips the current tier's segment of the amount line with fee term tempTip to the plot area.
// Returns false when nothing of it lies inside; otherwise lineStart/lineEnd hold the segment.
bool BuyLine(core::ChartState& s, float tempTip);
// The same for a line of another slope (the quantity times one plus or minus the fee's rate).
bool BuyLine(core::ChartState& s, double slope, float tempTip);

// The whole amount-line pass: one segment a side per fee tier, with the state's fees, in
// their colours on the canvas; afterwards ForeColor is drawColor again. Draws nothing for a
// quantity that is not above zero.
void drawAmountLines(core::ChartState& s, chart::Canvas& canvas);

}  // namespace chart
