#include "view/navigation.h"

#include "core/mapping.h"
#include "core/single.h"
#include "view/history.h"

namespace view {

namespace {

float plus(float v, double d) { return core::toSingle(v + d); }

std::optional<core::SavedView> ifShowable(const core::SavedView& v) {
  if (!core::isShowable(v)) return std::nullopt;
  return v;
}

}  // namespace

float lowerWithFloor(float v, float step) {
  if (v > step) return core::toSingle(static_cast<double>(v) - step);
  return 0;
}

std::optional<core::SavedView> movedUp(const core::ChartState& s) {
  core::SavedView v = core::currentView(s);
  v[2] = plus(s.amountMin, s.amountStep);
  return ifShowable(v);
}

std::optional<core::SavedView> movedDown(const core::ChartState& s) {
  core::SavedView v = core::currentView(s);
  v[2] = lowerWithFloor(s.amountMin, s.amountStep);
  return ifShowable(v);
}

std::optional<core::SavedView> movedLeft(const core::ChartState& s) {
  core::SavedView v = core::currentView(s);
  v[0] = lowerWithFloor(s.priceMin, s.priceStep);
  return ifShowable(v);
}

std::optional<core::SavedView> movedRight(const core::ChartState& s) {
  core::SavedView v = core::currentView(s);
  v[0] = plus(s.priceMin, s.priceStep);
  return ifShowable(v);
}

std::optional<core::SavedView> zoomedOut(const core::ChartState& s) {
  core::SavedView v = core::currentView(s);
  v[2] = lowerWithFloor(s.amountMin, s.amountStep);
  v[0] = lowerWithFloor(s.priceMin, s.priceStep);
  v[1] = plus(s.priceSpan, 2.0 * s.priceStep);
  v[3] = plus(s.amountSpan, 2.0 * s.amountStep);
  return ifShowable(v);
}

}  // namespace view
