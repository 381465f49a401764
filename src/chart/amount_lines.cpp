#include "chart/amount_lines.h"

#include <array>
#include <cmath>

#include "app/mapping.h"

namespace {

// The walk's step: the smallest price step of the entry fields, as a double.
constexpr double kWalkStep = 0.01;
// The fee of each tier: the same schedule the readout charges.
constexpr float kFeeLow = 525, kFeeMid = 1050, kFeeHigh = 1575;

float amountAt(const ChartState& s, float price, float tip) {
  return static_cast<float>(static_cast<double>(price) * s.quantity + tip);
}

}  // namespace

void Border(ChartState& s, float tempPrice) {
  s.tierStartPrice = static_cast<float>(s.tierEndPrice + kWalkStep);
  if (!(s.quantity > 0) || !std::isfinite(s.quantity)) return;  // the walk would never end
  while (static_cast<float>(static_cast<double>(s.quantity) * s.tierEndPrice) < tempPrice) {
    const float next = static_cast<float>(s.tierEndPrice + kWalkStep);
    // Past 2^18 a float can no longer take a 0.01 step: the walk would stand still for ever.
    if (next == s.tierEndPrice) break;
    s.tierEndPrice = next;
  }
  s.tierEndPrice = static_cast<float>(s.tierEndPrice - kWalkStep);
}

bool BuyLine(ChartState& s, float tempTip) {
  const float start = s.tierStartPrice;
  const float end = s.tierEndPrice;
  if (!(amountAt(s, s.priceMin, tempTip) < s.amountMax &&
        amountAt(s, s.priceMax, tempTip) > s.amountMin))
    return false;
  if (end != 0 && (amountAt(s, end, tempTip) <= s.amountMin || end <= s.priceMin)) return false;
  const float startAmount = amountAt(s, start, tempTip);
  if (startAmount >= s.amountMax || start >= s.priceMax) return false;

  s.tierStartInside = (s.amountMin < startAmount && startAmount < s.amountMax &&
                       s.priceMin < start && start < s.priceMax)
                          ? kTrue
                          : kFalse;
  const float endAmount = amountAt(s, end, tempTip);
  s.tierEndInside = (end != 0 && s.amountMin < endAmount && endAmount < s.amountMax &&
                     s.priceMin < end && end < s.priceMax)
                        ? kTrue
                        : kFalse;
  if (s.tierStartInside) {
    s.lineStartX = FuncX(s, start);
    s.lineStartY = FuncY(s, start, tempTip);
  } else {
    Siten(s, tempTip);
  }
  if (s.tierEndInside) {
    s.lineEndX = FuncX(s, end);
    s.lineEndY = FuncY(s, end, tempTip);
  } else {
    Syuten(s, tempTip);
  }
  return true;
}

void drawAmountLines(ChartState& s, tk::DrawingSurface& surface) {
  if (s.quantity > 0 && std::isfinite(s.quantity)) {
    // The tier borders depend on the quantity only, so the sell side reuses the buy side's walk;
    // the values are the ones the walk would produce again.
    s.tierStartPrice = 0;
    s.tierEndPrice = 0;
    Border(s, kTierThresholdLow);
    const float start1 = s.tierStartPrice, end1 = s.tierEndPrice;
    Border(s, kTierThresholdHigh);
    const float start2 = s.tierStartPrice, end2 = s.tierEndPrice;
    const float start3 = static_cast<float>(end2 + kWalkStep);

    struct Segment {
      float start, end, tip;
      Colour colour;
    };
    const std::array<Segment, 6> segments{{
        {start1, end1, kFeeLow, RGB(128, 255, 128)},
        {start2, end2, kFeeMid, RGB(0, 255, 0)},
        {start3, 0, kFeeHigh, RGB(0, 128, 0)},
        {start1, end1, -kFeeLow, RGB(255, 255, 128)},
        {start2, end2, -kFeeMid, RGB(255, 255, 0)},
        {start3, 0, -kFeeHigh, RGB(255, 128, 64)},
    }};
    for (const Segment& seg : segments) {
      s.tierStartPrice = seg.start;
      s.tierEndPrice = seg.end;
      surface.ForeColor = seg.colour;
      if (BuyLine(s, seg.tip)) surface.Line(s.lineStartX, s.lineStartY, s.lineEndX, s.lineEndY);
    }
  }
  surface.ForeColor = s.drawColor;
}
