#include "view/zoom_snap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "chart/tick_steps.h"
#include "core/mapping.h"
#include "core/single.h"
#include "view/history.h"

namespace view {

namespace {

using Int32 = std::numeric_limits<std::int32_t>;

// The value of the axis at an edge that lies `fraction` of the way along it.
float axisValue(float min, float max, double fraction) {
  return core::toSingle(min + fraction * (static_cast<double>(max) - min));
}

// Lower end rounded down to a step multiple, and the span from it to the snapped upper end.
// Nothing when the upper end cannot be snapped.
std::optional<std::pair<float, float>> snappedAxis(float low, float high, float step) {
  const auto upper = snappedUpperEnd(high, step);
  if (!upper) return std::nullopt;
  const float min = core::toSingle(std::floor(static_cast<double>(low) / step) * step);
  const float span = core::toSingle(std::floor(*upper - min));
  return std::pair{min, span};
}

}  // namespace

bool insidePlotArea(const core::ChartState& s, float x, float y) {
  const float right = core::toSingle(core::plotRight(s));
  const float top = core::toSingle(core::plotTop(s));
  return s.graphLeft <= x && x <= right && top <= y && y <= s.graphBottom;
}

AreaRect rubberBand(float anchorX, float anchorY, float x, float y) {
  AreaRect r;
  if (x > anchorX) {
    r.left = anchorX;
    r.width = core::toSingle(static_cast<double>(x) - anchorX);
  } else {
    r.left = x;
    r.width = core::toSingle(static_cast<double>(anchorX) - x);
  }
  if (y > anchorY) {
    r.top = anchorY;
    r.height = core::toSingle(static_cast<double>(y) - anchorY);
  } else {
    r.top = y;
    r.height = core::toSingle(static_cast<double>(anchorY) - y);
  }
  return r;
}

AreaRect wheelZoomArea(const core::ChartState& s, float x, float y) {
  const double width = s.graphWidth / 2.0;
  const double height = s.graphHeight / 2.0;
  const double top = core::plotTop(s);
  // Far edge first, then the near one, so a pointer past either edge still gives a rectangle
  // that starts on the plot area.
  const double left = std::max<double>(s.graphLeft, std::min(x - width / 2, s.graphLeft + width));
  const double upper = std::max(top, std::min(y - height / 2, s.graphBottom - height));
  return {core::toSingle(left), core::toSingle(upper), core::toSingle(width),
          core::toSingle(height)};
}

std::optional<std::int32_t> roundToInt32(float v) {
  // nearbyint rounds in the current mode, which is to nearest with ties to even.
  const double r = std::nearbyint(static_cast<double>(v));
  if (!(r >= Int32::min() && r <= Int32::max())) return std::nullopt;  // also NaN
  return static_cast<std::int32_t>(r);
}

std::optional<double> snappedUpperEnd(float high, float step) {
  const auto r = roundToInt32(high);
  const auto stepWhole = roundToInt32(step);
  if (!r || !stepWhole || *stepWhole <= 0) return std::nullopt;
  const std::int64_t q = *r / *stepWhole;
  const std::int64_t multiple = (step != 1.0f && *r % *stepWhole == 0) ? q : q + 1;
  if (multiple > Int32::max()) return std::nullopt;
  return static_cast<double>(multiple) * step;
}

std::optional<ZoomPlan> planZoomTo(const core::ChartState& s, float priceLow, float priceHigh,
                                   float amountLow, float amountHigh, float labelWidth,
                                   float lineHeight) {
  ZoomPlan p{};
  p.areaPriceLow = priceLow;
  p.areaPriceHigh = priceHigh;
  p.areaAmountHigh = amountHigh;
  p.areaAmountLow = amountLow;

  // The searches write their step into the state they are given; a scratch state with the plot
  // area's size keeps this plan free of side effects until it is applied.
  core::ChartState probe;
  probe.graphWidth = s.graphWidth;
  probe.graphHeight = s.graphHeight;
  chart::Zappari(probe, core::toSingle(static_cast<double>(p.areaPriceHigh) - p.areaPriceLow), 1,
                 labelWidth);
  chart::Barasi(probe, core::toSingle(static_cast<double>(p.areaAmountHigh) - p.areaAmountLow), 1,
                lineHeight);
  p.priceStep = probe.priceStep;
  p.amountStep = probe.amountStep;

  const auto price = snappedAxis(p.areaPriceLow, p.areaPriceHigh, p.priceStep);
  const auto amount = snappedAxis(p.areaAmountLow, p.areaAmountHigh, p.amountStep);
  if (!price || !amount) return std::nullopt;
  p.view = {price->first, price->second, amount->first, amount->second};
  if (!core::isShowable(p.view)) return std::nullopt;
  return p;
}

std::optional<ZoomPlan> planZoom(const core::ChartState& s, const AreaRect& area, float labelWidth,
                                 float lineHeight) {
  const float areaRight = core::toSingle(static_cast<double>(area.width) + area.left);
  const float areaBottom = core::toSingle(static_cast<double>(area.height) + area.top);

  const double left = (static_cast<double>(area.left) - s.graphLeft) / s.graphWidth;
  const double right = (static_cast<double>(areaRight) - s.graphLeft) / s.graphWidth;
  const double top = (static_cast<double>(s.graphBottom) - area.top) / s.graphHeight;
  const double bottom = (static_cast<double>(s.graphBottom) - areaBottom) / s.graphHeight;
  return planZoomTo(s, axisValue(s.priceMin, s.priceMax, left),
                    axisValue(s.priceMin, s.priceMax, right),
                    axisValue(s.amountMin, s.amountMax, bottom),
                    axisValue(s.amountMin, s.amountMax, top), labelWidth, lineHeight);
}

namespace {

// The same steps as a rectangle zoom, with the ends snapped outward in doubles: a fit is not held
// to the 32-bit integers of the rectangle's snapping. Nothing where the view could not be shown
// or would not hold the content inside its edges once stored as floats.
std::optional<ZoomPlan> planFitInDoubles(const core::ChartState& s, double priceLow,
                                         double priceHigh, double amountLow, double amountHigh,
                                         double contentPriceLow, double contentPriceHigh,
                                         double contentAmountLow, double contentAmountHigh,
                                         float labelWidth, float lineHeight) {
  core::ChartState probe;
  probe.graphWidth = s.graphWidth;
  probe.graphHeight = s.graphHeight;
  chart::Zappari(probe, core::toSingle(priceHigh - priceLow), 1, labelWidth);
  chart::Barasi(probe, core::toSingle(amountHigh - amountLow), 1, lineHeight);
  // A step finer than the floats there would draw grid lines on top of each other: it grows by
  // tens until it spans at least the distance between two floats at the axis' far end.
  const auto coarseEnough = [](float step, double low, double high) {
    const float far = core::toSingle(std::max(std::fabs(low), std::fabs(high)));
    const float spacing = std::nextafter(far, HUGE_VALF) - far;
    while (step < spacing && std::isfinite(step * 10.0f)) step *= 10.0f;
    return step;
  };
  probe.priceStep = coarseEnough(probe.priceStep, priceLow, priceHigh);
  probe.amountStep = coarseEnough(probe.amountStep, amountLow, amountHigh);
  // Each axis from the step multiples outside its range. Stored as floats the ends round, and
  // may land on the content or past it: then that end takes another step or two. Nothing when
  // the axis still does not hold the content inside its edges (or on a lower edge of 0 where the
  // margin stopped at 0).
  const auto snapped = [](double low, double high, double contentLow, double contentHigh,
                          float step) -> std::optional<std::pair<float, float>> {
    float min = core::toSingle(std::floor(low / step) * step);
    const double upper = std::ceil(high / step) * step;
    const auto lowHolds = [&] { return min < contentLow || (min == 0 && contentLow >= 0); };
    for (int more = 0; more < 3 && !lowHolds(); ++more) min = core::toSingle(min - step);
    float span = core::toSingle(upper - min);
    const auto highHolds = [&] {
      return contentHigh < core::toSingle(static_cast<double>(min) + span);
    };
    for (int more = 0; more < 3 && !highHolds(); ++more) span = core::toSingle(span + step);
    if (!lowHolds() || !highHolds()) return std::nullopt;
    return std::pair{min, span};
  };
  const auto price =
      snapped(priceLow, priceHigh, contentPriceLow, contentPriceHigh, probe.priceStep);
  const auto amount =
      snapped(amountLow, amountHigh, contentAmountLow, contentAmountHigh, probe.amountStep);
  if (!price || !amount) return std::nullopt;
  ZoomPlan p{};
  p.areaPriceLow = core::toSingle(priceLow);
  p.areaPriceHigh = core::toSingle(priceHigh);
  p.areaAmountLow = core::toSingle(amountLow);
  p.areaAmountHigh = core::toSingle(amountHigh);
  p.priceStep = probe.priceStep;
  p.amountStep = probe.amountStep;
  p.view = {price->first, price->second, amount->first, amount->second};
  if (!core::isShowable(p.view)) return std::nullopt;
  return p;
}

}  // namespace

std::optional<ZoomPlan> planFit(const core::ChartState& s, const FitRanges& r, float labelWidth,
                                float lineHeight) {
  auto plan =
      planZoomTo(s, core::toSingle(r.priceLow), core::toSingle(r.priceHigh),
                 core::toSingle(r.amountLow), core::toSingle(r.amountHigh), labelWidth, lineHeight);
  if (plan) {
    // The snapped upper end may fall short of the edge by up to half a unit (it rounds the edge
    // first); a narrow margin does not cover that, so such an axis takes one step more.
    core::SavedView& v = plan->view;
    if (static_cast<double>(v[0]) + v[1] < r.contentPriceHigh)
      v[1] = core::toSingle(v[1] + plan->priceStep);
    if (static_cast<double>(v[2]) + v[3] < r.contentAmountHigh)
      v[3] = core::toSingle(v[3] + plan->amountStep);
    if (core::isShowable(v)) return plan;
  }
  // Beyond the rectangle's integers (amounts of ten billion yen and more).
  return planFitInDoubles(s, r.priceLow, r.priceHigh, r.amountLow, r.amountHigh, r.contentPriceLow,
                          r.contentPriceHigh, r.contentAmountLow, r.contentAmountHigh, labelWidth,
                          lineHeight);
}

void applyZoom(core::ChartState& s, const ZoomPlan& p) {
  s.areaPriceLow = p.areaPriceLow;
  s.areaPriceHigh = p.areaPriceHigh;
  s.areaAmountHigh = p.areaAmountHigh;
  s.areaAmountLow = p.areaAmountLow;
  s.priceStep = p.priceStep;
  s.amountStep = p.amountStep;
  core::showView(s, p.view);
}

}  // namespace view
