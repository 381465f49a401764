#pragma once
// The pan and zoom-out buttons: each moves the view by one tick step of the grid on screen
// (priceStep, amountStep from the last redraw). A lower end never goes below zero.
#include <optional>

#include "core/chart_state.h"

namespace view {

// v less one step, or 0 when that would reach or pass zero.
float lowerWithFloor(float v, float step);

// The view after one click, or nothing when it could no longer be held in single precision
// (a span or an upper end would overflow): such a click is refused.
std::optional<SavedView> movedUp(const ChartState& s);
std::optional<SavedView> movedDown(const ChartState& s);
std::optional<SavedView> movedLeft(const ChartState& s);
std::optional<SavedView> movedRight(const ChartState& s);
// One step wider on each side of each axis; a lower end clamped at zero gives its widening to the
// upper end.
std::optional<SavedView> zoomedOut(const ChartState& s);

}  // namespace view
