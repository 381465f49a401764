#include "chart/amount_lines.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "core/fee_schedule.h"
#include "core/mapping.h"

namespace {

float amountAt(const ChartState& s, float price, float tip) {
  return static_cast<float>(static_cast<double>(price) * s.quantity + tip);
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
    return static_cast<float>(static_cast<double>(quantity) * static_cast<float>(p)) < threshold;
  };
  while (below(price)) {
    const float next = static_cast<float>(price + kWalkStep);
    if (next == price) break;
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
      price = static_cast<float>(price + static_cast<double>(last) * step);
      continue;
    }
    // The first member at or past the threshold lies in (0, last].
    std::int64_t lo = 0, hi = last;  // below at lo, not below at hi
    while (hi - lo > 1) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      (below(price + static_cast<double>(mid) * step) ? lo : hi) = mid;
    }
    return static_cast<float>(price + static_cast<double>(hi) * step);
  }
  return price;
}

void Border(ChartState& s, float tempPrice) {
  s.tierStartPrice = static_cast<float>(s.tierEndPrice + kWalkStep);
  if (!(s.quantity > 0) || !std::isfinite(s.quantity)) return;  // the walk would never end
  s.tierEndPrice = static_cast<float>(walkFast(s.quantity, s.tierEndPrice, tempPrice) - kWalkStep);
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

void drawAmountLines(ChartState& s, chart::Canvas& canvas) {
  static_assert(kFeeSchedule.size() == 3, "one segment colour per tier and side");
  // Buy segments gain the fee, sell segments lose it; light to dark with the tier.
  constexpr std::array<Colour, 3> kBuyColours{RGB(128, 255, 128), RGB(0, 255, 0), RGB(0, 128, 0)};
  constexpr std::array<Colour, 3> kSellColours{RGB(255, 255, 128), RGB(255, 255, 0),
                                               RGB(255, 128, 64)};
  if (s.quantity > 0 && std::isfinite(s.quantity)) {
    // Each tier ends where the next tier's threshold is reached; the last one has no end (0). The
    // borders depend on the quantity only, so the sell side reuses the buy side's walk.
    std::array<float, 3> starts{}, ends{};
    s.tierStartPrice = 0;
    s.tierEndPrice = 0;
    for (std::size_t tier = 0; tier + 1 < kFeeSchedule.size(); ++tier) {
      Border(s, static_cast<float>(kFeeSchedule[tier].tradeValueBelow));
      starts[tier] = s.tierStartPrice;
      ends[tier] = s.tierEndPrice;
    }
    starts.back() = static_cast<float>(ends[ends.size() - 2] + kWalkStep);

    for (const bool buy : {true, false}) {
      for (std::size_t tier = 0; tier < kFeeSchedule.size(); ++tier) {
        const float fee = tierFee(s, tier);
        s.tierStartPrice = starts[tier];
        s.tierEndPrice = ends[tier];
        canvas.ForeColor = buy ? kBuyColours[tier] : kSellColours[tier];
        if (BuyLine(s, buy ? fee : -fee))
          canvas.Line(s.lineStartX, s.lineStartY, s.lineEndX, s.lineEndY);
      }
    }
  }
  canvas.ForeColor = s.drawColor;
}
