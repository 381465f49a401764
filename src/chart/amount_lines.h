#pragma once
// The buy and sell settlement-amount lines, three fee tiers each, clipped to the plot area.
#include "app/chart_state.h"
#include "app/toolkit.h"

// Trade-value thresholds where the fee tier changes, and the signed fee terms of the segments.
inline constexpr float kTierThresholdLow = 50000;
inline constexpr float kTierThresholdHigh = 200000;

// Moves the tier window on: tierStartPrice 0.01 above the previous end, tierEndPrice the last price
// whose trade value (stored as a float) is still below tempPrice, found by an exact 0.01 walk
// that accumulates single-precision rounding.
void Border(ChartState& s, float tempPrice);

// The walk itself, from `price` to the first price whose trade value is not below `threshold` (or
// to where a float can no longer advance by 0.01): one step at a time, and the same result taken
// in whole runs of steps, which is what Border uses.
float walkStepByStep(float quantity, float price, float threshold);
float walkFast(float quantity, float price, float threshold);

// Clips the current tier's segment of the amount line with fee term tempTip to the plot area.
// Returns false when nothing of it lies inside; otherwise lineStart/lineEnd hold the segment.
bool BuyLine(ChartState& s, float tempTip);

// The whole amount-line pass: six segments in their colours, width 2, on the surface; afterwards
// ForeColor is drawColor again. Draws nothing for a quantity that is not above zero.
void drawAmountLines(ChartState& s, tk::DrawingSurface& surface);
