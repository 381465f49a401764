#include "chart/amount_lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/fee_schedule.h"
#include "core/mapping.h"
#include "core/single.h"

namespace chart {

namespace {

float amountAt(const core::ChartState& s, float price, float tip) {
  return core::toSingle(static_cast<double>(price) * s.quantity + tip);
}

// Past the price where adding 0.01 no longer moves a float (from 2^18 = 262,144 yen on), a walk
// in steps of 0.01 would stand still for ever. There the border lies at the first float price
// whose trade value (stored as a float) reaches the threshold: the next float up takes the place
// of the next 0.01. Positive floats are ordered as their bit patterns, so a bisection over those
// finds it in 32 rounds. A threshold no float price reaches puts the border at the largest float.
float firstFloatReaching(float quantity, float price, float threshold) {
  const auto below = [&](float p) {
    return core::toSingle(static_cast<double>(quantity) * p) < threshold;
  };
  constexpr float kMax = std::numeric_limits<float>::max();
  if (below(kMax)) return kMax;
  std::uint32_t lo = std::bit_cast<std::uint32_t>(price);  // below
  std::uint32_t hi = std::bit_cast<std::uint32_t>(kMax);   // not below
  while (hi - lo > 1) {
    const std::uint32_t mid = lo + (hi - lo) / 2;
    (below(std::bit_cast<float>(mid)) ? lo : hi) = mid;
  }
  return std::bit_cast<float>(hi);
}

// A tier's last price, one 0.01 below the first price of the next tier, and the next tier's
// first price, one 0.01 above the last: where 0.01 no longer moves the float, one float instead.
float lastPriceBefore(float first) {
  const float last = core::toSingle(first - kWalkStep);
  return last == first ? std::nextafter(first, -std::numeric_limits<float>::infinity()) : last;
}
float firstPriceAfter(float last) {
  const float first = core::toSingle(last + kWalkStep);
  return first == last ? std::nextafter(last, std::numeric_limits<float>::infinity()) : first;
}

}  // namespace

// The walk takes whole runs of steps at once. Between two powers of two every float is a
// multiple of the same unit u, and adding 0.01 rounds to the same multiple of u each time: from
// 2^-7 to 2^18 the fraction of 0.01 / u lies at least 0.02 away from one half, so no step is ever
// a rounding tie, and not even the double sum's own rounding can move one. Within such a stretch
// the walk is an arithmetic run, and the first price at or past the threshold is found by
// bisection over it. The stretch's last step into the next power of two is taken singly.
float walkFast(float quantity, float price, float threshold) {
  const auto below = [&](double p) {
    return core::toSingle(static_cast<double>(quantity) * core::toSingle(p)) < threshold;
  };
  while (below(price)) {
    const float next = core::toSingle(price + kWalkStep);
    if (next == price) return firstFloatReaching(quantity, price, threshold);
    int exponent = 0;
    std::frexp(price, &exponent);  // price lies in [2^(exponent-1), 2^exponent)
    const double top = std::ldexp(1.0, exponent);
    if (price < 0x1p-7f || price >= 0x1p18f || next >= top) {
      price = next;
      continue;
    }
    const double step = static_cast<double>(next) - price;  // exact: both are multiples of u
    // The run's last member below the next power of two: price + last * step < top.
    auto last = static_cast<std::int64_t>((top - price) / step);
    while (last > 0 && price + static_cast<double>(last) * step >= top) --last;
    if (below(price + static_cast<double>(last) * step)) {
      price = core::toSingle(price + static_cast<double>(last) * step);
      continue;
    }
    // The first member at or past the threshold lies in (0, last].
    std::int64_t lo = 0, hi = last;  // below at lo, not below at hi
    while (hi - lo > 1) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      (below(price + static_cast<double>(mid) * step) ? lo : hi) = mid;
    }
    return core::toSingle(price + static_cast<double>(hi) * step);
  }
  return price;
}

void Border(core::ChartState& s, float tempPrice) {
  s.tierStartPrice = firstPriceAfter(s.tierEndPrice);
  if (!(s.quantity > 0) || !std::isfinite(s.quantity)) return;  // the walk would never end
  s.tierEndPrice = lastPriceBefore(walkFast(s.quantity, s.tierEndPrice, tempPrice));
}

core::Colour tierColour(bool buy, std::size_t tier, std::size_t tiers) {
  // Light, middle and dark: with three tiers each tier has its own, with more the shades between.
  constexpr std::array<core::Colour, 3> kBuy{core::RGB(128, 255, 128), core::RGB(0, 255, 0),
                                             core::RGB(0, 128, 0)};
  constexpr std::array<core::Colour, 3> kSell{core::RGB(255, 255, 128), core::RGB(255, 255, 0),
                                              core::RGB(255, 128, 64)};
  const auto& shades = buy ? kBuy : kSell;
  // Where the tier lies from the lightest (0) to the darkest (2); a single tier takes the middle.
  const double at =
      tiers < 2 ? 1.0 : 2.0 * static_cast<double>(tier) / static_cast<double>(tiers - 1);
  const std::size_t from = at < 1.0 ? 0 : 1;
  const double f = at - static_cast<double>(from);
  const auto mix = [&](unsigned (*channel)(core::Colour)) {
    const double a = channel(shades[from]);
    const double b = channel(shades[std::min<std::size_t>(from + 1, 2)]);
    return static_cast<unsigned>(std::lround(a + (b - a) * f));
  };
  return core::RGB(mix(core::redOf), mix(core::greenOf), mix(core::blueOf));
}

bool BuyLine(core::ChartState& s, float tempTip) {
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
                          ? core::kTrue
                          : core::kFalse;
  const float endAmount = amountAt(s, end, tempTip);
  s.tierEndInside = (end != 0 && s.amountMin < endAmount && endAmount < s.amountMax &&
                     s.priceMin < end && end < s.priceMax)
                        ? core::kTrue
                        : core::kFalse;
  if (s.tierStartInside) {
    s.lineStartX = core::FuncX(s, start);
    s.lineStartY = core::FuncY(s, start, tempTip);
  } else {
    core::Siten(s, tempTip);
  }
  if (s.tierEndInside) {
    s.lineEndX = core::FuncX(s, end);
    s.lineEndY = core::FuncY(s, end, tempTip);
  } else {
    core::Syuten(s, tempTip);
  }
  return true;
}

void drawAmountLines(core::ChartState& s, chart::Canvas& canvas) {
  if (s.quantity > 0 && std::isfinite(s.quantity)) {
    // Each tier ends where the next tier's threshold is reached; the last one has no end (0). The
    // borders depend on the quantity only, so the sell side reuses the buy side's walk.
    const std::size_t tiers = core::tierCount(s);
    std::vector<float> starts(tiers), ends(tiers);
    s.tierStartPrice = 0;
    s.tierEndPrice = 0;
    for (std::size_t tier = 0; tier + 1 < tiers; ++tier) {
      Border(s, core::toSingle(core::tierThreshold(s, tier)));
      starts[tier] = s.tierStartPrice;
      ends[tier] = s.tierEndPrice;
    }
    starts.back() = firstPriceAfter(s.tierEndPrice);

    for (const bool buy : {true, false}) {
      for (std::size_t tier = 0; tier < tiers; ++tier) {
        const float fee = core::tierFee(s, tier);
        s.tierStartPrice = starts[tier];
        s.tierEndPrice = ends[tier];
        canvas.ForeColor = tierColour(buy, tier, tiers);
        if (BuyLine(s, buy ? fee : -fee))
          canvas.Line(s.lineStartX, s.lineStartY, s.lineEndX, s.lineEndY);
      }
    }
  }
  canvas.ForeColor = s.drawColor;
}

}  // namespace chart
