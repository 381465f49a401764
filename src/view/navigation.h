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
std::optional<core::SavedView> movedUp(const core::ChartState& s);
std::optional<core::SavedView> movedDown(const core::ChartState& s);
std::optional<core::SavedView> movedLeft(const core::ChartState& s);
std::optional<core::SavedView> movedRight(const core::ChartState& s);
// One step wider on each side of each axis; a lower end clamped at zero gives its widening to the
// upper end.
std::optional<core::SavedView> zoomedOut(const core::ChartState& s);

}  // namespace view
