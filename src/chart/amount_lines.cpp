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

float amountAt(double slope, float price, float tip) { return core::toSingle(slope * price + tip); }

// The walk's question: a trade value (stored as a float) still lies in the tier the threshold
// ends, under the border rule in force.
bool beforeBorder(float value, float threshold, core::FeeBorders rule) {
  return !core::pastBorder(value < threshold ? -1 : value > threshold ? 1 : 0, rule);
}

// Past the price where adding 0.01 no longer moves a float (from 2^18 = 262,144 yen on), a walk
// in steps of 0.01 would stand still for ever. There the border lies at the first float price
// whose trade value (stored as a float) reaches the threshold: the next float up takes the place
// of the next 0.01. Positive floats are ordered as their bit patterns, so a bisection over those
// finds it in 32 rounds. A threshold no float price reaches puts the border at the largest float.
float firstFloatReaching(float quantity, float price, float threshold, core::FeeBorders rule) {
  const auto below = [&](float p) {
    return beforeBorder(core::toSingle(static_cast<double>(quantity) * p), threshold, rule);
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
float walkFast(float quantity, float price, float threshold, core::FeeBorders rule) {
  const auto below = [&](double p) {
    return beforeBorder(core::toSingle(static_cast<double>(quantity) * core::toSingle(p)),
                        threshold, rule);
  };
  while (below(price)) {
    const float next = core::toSingle(price + kWalkStep);
    if (next == price) return firstFloatReaching(quantity, price, threshold, rule);
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
  s.tierEndPrice =
      lastPriceBefore(walkFast(s.quantity, s.tierEndPrice, tempPrice, s.settings.feeBorders));
}

core::Colour tierColour(bool buy, std::size_t tier, std::size_t tiers) {
  // Light, middle and dark: with three tiers each tier has its own. More tiers take evenly spaced
  // shades on one straight ramp from a lighter to a darker colour than those, wide enough in
  // every channel that eight tiers' neighbours still differ by 25 levels.
  if (tiers > 3) {
    constexpr std::array<core::Colour, 2> kBuyRamp{core::RGB(176, 255, 176), core::RGB(0, 80, 0)};
    constexpr std::array<core::Colour, 2> kSellRamp{core::RGB(255, 255, 176),
                                                    core::RGB(255, 80, 0)};
    const auto& ramp = buy ? kBuyRamp : kSellRamp;
    const double f = static_cast<double>(tier) / static_cast<double>(tiers - 1);
    const auto mix = [&](unsigned (*channel)(core::Colour)) {
      const double a = channel(ramp[0]);
      return static_cast<unsigned>(std::lround(a + (channel(ramp[1]) - a) * f));
    };
    return core::RGB(mix(core::redOf), mix(core::greenOf), mix(core::blueOf));
  }
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
  return BuyLine(s, static_cast<double>(s.quantity), tempTip);
}

bool BuyLine(core::ChartState& s, double slope, float tempTip) {
  const float start = s.tierStartPrice;
  const float end = s.tierEndPrice;
  if (!(amountAt(slope, s.priceMin, tempTip) < s.amountMax &&
        amountAt(slope, s.priceMax, tempTip) > s.amountMin))
    return false;
  if (end != 0 && (amountAt(slope, end, tempTip) <= s.amountMin || end <= s.priceMin)) return false;
  const float startAmount = amountAt(slope, start, tempTip);
  if (startAmount >= s.amountMax || start >= s.priceMax) return false;

  s.tierStartInside = (s.amountMin < startAmount && startAmount < s.amountMax &&
                       s.priceMin < start && start < s.priceMax)
                          ? core::kTrue
                          : core::kFalse;
  const float endAmount = amountAt(slope, end, tempTip);
  s.tierEndInside = (end != 0 && s.amountMin < endAmount && endAmount < s.amountMax &&
                     s.priceMin < end && end < s.priceMax)
                        ? core::kTrue
                        : core::kFalse;
  if (s.tierStartInside) {
    s.lineStartX = core::FuncX(s, start);
    s.lineStartY = core::FuncY(s, start, slope, tempTip);
  } else {
    core::Siten(s, slope, tempTip);
  }
  if (s.tierEndInside) {
    s.lineEndX = core::FuncX(s, end);
    s.lineEndY = core::FuncY(s, end, slope, tempTip);
  } else {
    core::Syuten(s, slope, tempTip);
  }
  return true;
}

namespace {

// A stretch of a tier's amount line with one slope: from price `from` to `to` (0: open-ended).
struct Piece {
  float from, to;
  double slope;
  float tip;
};

// A tier's line on one side between its first and last price: a fee with a rate is one piece of
// its own slope, cut where the minimum or the maximum takes over (there the fee is fixed again).
// The line is drawn before the fee is rounded down, so the pieces meet.
int tierPieces(const core::ChartState& s, std::size_t tier, bool buy, float start, float end,
               std::array<Piece, 3>& out) {
  const core::FeeLine fee = core::feeLine(s.settings, tier);
  const double q = s.quantity;
  const double sign = buy ? 1.0 : -1.0;
  const auto flat = [&](double yen) { return Piece{0, 0, q, core::toSingle(sign * yen)}; };
  if (fee.rate == 0) {
    double yen = fee.fixed;
    if (fee.min) yen = std::max(yen, *fee.min);
    if (fee.max) yen = std::min(yen, *fee.max);
    out[0] = flat(yen);
    out[0].from = start;
    out[0].to = end;
    return 1;
  }
  // Where the line reaches the minimum and the maximum, as unit prices.
  const double rising = fee.rate * q;
  const double atMin = fee.min ? (*fee.min - fee.fixed) / rising : -HUGE_VAL;
  const double atMax = fee.max ? (*fee.max - fee.fixed) / rising : HUGE_VAL;
  const Piece parts[3] = {flat(fee.min.value_or(0)),
                          Piece{0, 0, q * (1 + sign * fee.rate), core::toSingle(sign * fee.fixed)},
                          flat(fee.max.value_or(0))};
  const double cuts[4] = {-HUGE_VAL, atMin, atMax,
                          HUGE_VAL};  // the minimum is not above the maximum
  const double high = end == 0 ? HUGE_VAL : end;
  int n = 0;
  for (int k = 0; k < 3; ++k) {
    const double from = std::max<double>(start, cuts[k]);
    const double to = std::min(high, cuts[k + 1]);
    if (!(from < to || (from == to && start == end))) continue;
    out[n] = parts[k];
    out[n].from = core::toSingle(from);
    out[n].to = to == HUGE_VAL ? 0.0f : core::toSingle(to);
    ++n;
  }
  return n;
}

}  // namespace

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
        std::array<Piece, 3> pieces{};
        const int n = tierPieces(s, tier, buy, starts[tier], ends[tier], pieces);
        canvas.ForeColor = tierColour(buy, tier, tiers);
        for (int k = 0; k < n; ++k) {
          s.tierStartPrice = pieces[k].from;
          s.tierEndPrice = pieces[k].to;
          if (BuyLine(s, pieces[k].slope, pieces[k].tip))
            canvas.Line(s.lineStartX, s.lineStartY, s.lineEndX, s.lineEndY);
        }
      }
    }
  }
  canvas.ForeColor = s.drawColor;
}

}  // namespace chart
