#pragma once
// The buy and sell settlement-amount lines, three fee tiers each, clipped to the plot area.
#include "chart/canvas.h"
#include "core/chart_state.h"

// Moves the tier window on: tierStartPrice 0.01 above the previous end, tierEndPrice the last price
// whose trade value (stored as a float) is still below tempPrice, found by an exact 0.01 walk
// that accumulates single-precision rounding.
void Border(ChartState& s, float tempPrice);

// The walk itself, from `price` to the first price whose trade value (stored as a float) is not
// below `threshold`, or to where a float can no longer advance by 0.01; it takes whole runs of
// equal 0.01 steps at once.
float walkFast(float quantity, float price, float threshold);

// The step of the walk, and of the gap between one tier's last price and the next tier's first.
inline constexpr double kWalkStep = 0.01;

// Clips the current tier's segment of the amount line with fee term tempTip to the plot area.
// Returns false when nothing of it lies inside; otherwise lineStart/lineEnd hold the segment.
bool BuyLine(ChartState& s, float tempTip);

// The whole amount-line pass: three segments a side, one per fee tier, with the state's fees, in
// their colours on the canvas; afterwards ForeColor is drawColor again. Draws nothing for a
// quantity that is not above zero.
void drawAmountLines(ChartState& s, chart::Canvas& canvas);
