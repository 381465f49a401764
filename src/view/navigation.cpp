#include "view/navigation.h"

#include "core/mapping.h"
#include "core/single.h"
#include "view/history.h"

namespace view {

namespace {

float plus(float v, double d) { return toSingle(v + d); }

std::optional<SavedView> ifShowable(const SavedView& v) {
  if (!isShowable(v)) return std::nullopt;
  return v;
}

}  // namespace

float lowerWithFloor(float v, float step) {
  if (v > step) return toSingle(static_cast<double>(v) - step);
  return 0;
}

std::optional<SavedView> movedUp(const ChartState& s) {
  SavedView v = currentView(s);
  v[2] = plus(s.amountMin, s.amountStep);
  return ifShowable(v);
}

std::optional<SavedView> movedDown(const ChartState& s) {
  SavedView v = currentView(s);
  v[2] = lowerWithFloor(s.amountMin, s.amountStep);
  return ifShowable(v);
}

std::optional<SavedView> movedLeft(const ChartState& s) {
  SavedView v = currentView(s);
  v[0] = lowerWithFloor(s.priceMin, s.priceStep);
  return ifShowable(v);
}

std::optional<SavedView> movedRight(const ChartState& s) {
  SavedView v = currentView(s);
  v[0] = plus(s.priceMin, s.priceStep);
  return ifShowable(v);
}

std::optional<SavedView> zoomedOut(const ChartState& s) {
  SavedView v = currentView(s);
  v[2] = lowerWithFloor(s.amountMin, s.amountStep);
  v[0] = lowerWithFloor(s.priceMin, s.priceStep);
  v[1] = plus(s.priceSpan, 2.0 * s.priceStep);
  v[3] = plus(s.amountSpan, 2.0 * s.amountStep);
  return ifShowable(v);
}

}  // namespace view
