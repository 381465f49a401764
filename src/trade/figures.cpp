#include "trade/figures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/fee_schedule.h"
#include "core/single.h"
#include "trade/fees.h"

namespace trade {

namespace {

// Sell prices on the grid run from 0.01 to 10^15 yen: far beyond any trade, within an int64 and
// the exact decimals.
constexpr std::int64_t kLowest = 1;
constexpr std::int64_t kHighest = 100'000'000'000'000'000;

// A grid price as the sell field would hold it: the float the text "0.00" reads as (hundredths
// over 100 is the double nearest the decimal, which the reading also narrows), and its exact value.
float gridFloat(std::int64_t k) { return core::toSingle(static_cast<double>(k) / 100.0); }
core::Decimal gridDecimal(std::int64_t k) {
  return core::Decimal::fromDigits(false, std::to_string(k), -2);
}

// The tier of grid price k's exact trade value, as the readout finds it.
std::size_t tierAt(const core::ChartState& s, std::int64_t k) {
  return core::feeTierOf(s.settings, s.quantityDecimal * gridDecimal(k));
}

// The purchase cost and its fee, exact and negated: the same for every sell price tried.
struct Cost {
  core::Decimal value, fee;
};
Cost purchaseCost(const core::ChartState& s) {
  return {-(s.quantityDecimal * s.buyPriceDecimal), -exactFee(s, s.buyPriceDecimal)};
}

// The readout would show 0 or a profit at grid price k: as shownProfit, with the cost given.
bool breaksEven(const core::ChartState& s, const Cost& cost, std::int64_t k) {
  const core::Decimal proceeds = s.quantityDecimal * gridDecimal(k);
  return core::wholeYen({proceeds, -core::feeOf(s.settings, proceeds), cost.value, cost.fee})
             .sign() >= 0;
}

// The same with the tier's fee before it is rounded down: a fee with a rate rounds down by less
// than a yen, so where this holds the readout shows 0 or a profit, and it rises with the price
// (the rate is at most a tenth).
bool surelyBreaksEven(const core::ChartState& s, const Cost& cost, std::size_t tier,
                      std::int64_t k) {
  const core::Decimal proceeds = s.quantityDecimal * gridDecimal(k);
  const core::FeeTerms fee = core::feeTerms(s.settings, tier, proceeds);
  return core::wholeYen({proceeds, -fee.fixed, -fee.share, cost.value, cost.fee}).sign() >= 0;
}

// The first k in [lo, hi] where a rising test turns true, hi + 1 when it never does.
template <class Test>
std::int64_t firstTrue(std::int64_t lo, std::int64_t hi, const Test& test) {
  std::int64_t bad = lo - 1, good = hi + 1;
  while (good - bad > 1) {
    const std::int64_t mid = bad + (good - bad) / 2;
    (test(mid) ? good : bad) = mid;
  }
  return good;
}

// The first k in [lo, hi] where a rising test turns true (hi + 1 when it never does), searched
// from an estimate: outward by doubling distances, then by halving. The estimates below come from
// the floats and are usually right or one off, so the test runs a few times only.
template <class Test>
std::int64_t firstTrueNear(std::int64_t lo, std::int64_t hi, double estimate, const Test& test) {
  const std::int64_t k = std::isfinite(estimate)
                             ? static_cast<std::int64_t>(std::clamp<double>(
                                   estimate, static_cast<double>(lo), static_cast<double>(hi)))
                             : lo;
  if (test(k)) {
    std::int64_t reach = 1, good = k;
    while (good > lo) {
      const std::int64_t below = std::max(lo, good - reach);
      if (!test(below)) return firstTrue(below + 1, good - 1, test);
      good = below;
      reach *= 2;
    }
    return lo;
  }
  std::int64_t reach = 1, bad = k;
  while (bad < hi) {
    const std::int64_t above = std::min(hi, bad + reach);
    if (test(above)) return firstTrue(bad + 1, above, test);
    bad = above;
    reach *= 2;
  }
  return hi + 1;
}

// The search in hand: the trade, its exact purchase cost and the same in double.
struct Search {
  const core::ChartState& s;
  Cost exact;
  double cost;

  // Grid price k in the tier breaks even even with the fee before rounding down. The floats
  // settle it where the profit is far from zero (the field values differ from their floats by
  // less than a millionth); near zero the exact test decides.
  bool surelyAt(std::int64_t k, std::size_t tier) const {
    const core::FeeLine line = core::feeLine(s.settings, tier);
    const double proceeds = static_cast<double>(s.quantity) * static_cast<double>(k) / 100.0;
    double fee = line.fixed + line.rate * proceeds;
    if (line.min) fee = std::max(fee, *line.min);
    if (line.max) fee = std::min(fee, *line.max);
    const double profit = proceeds - fee - cost;
    const double doubt = 1.0 + 1e-6 * (std::fabs(proceeds) + std::fabs(cost));
    if (profit > doubt) return true;
    if (profit < -doubt) return false;
    return surelyBreaksEven(s, exact, tier, k);
  }
};

}  // namespace

std::optional<std::int64_t> breakEvenHundredths(const core::ChartState& s) {
  if (!(s.quantity > 0)) return std::nullopt;
  const Cost exact = purchaseCost(s);
  const Search search{s, exact,
                      static_cast<double>(s.quantity) * s.buyPrice - core::toFloat(exact.fee)};
  // Each tier holds a run of grid prices (the trade value rises with the price); walk them from
  // the highest down, looking for the highest price that does not break even. Within a tier the
  // profit with the fee before rounding down rises; from the first price where it breaks even on,
  // every price does. Below it, a fee rounded down may still break even for a few prices (by
  // under a yen): those are tried one by one down to the first that does not, which comes within
  // a yen's worth of trade value.
  std::int64_t end = kHighest;  // the last grid price of the tier in hand
  for (std::size_t tier = core::tierCount(s); tier-- > 0;) {
    const std::int64_t start =
        tier == 0 ? kLowest
                  : firstTrueNear(kLowest, end,
                                  std::ceil(core::tierThreshold(s, tier - 1) * 100.0 / s.quantity),
                                  [&](std::int64_t k) { return tierAt(s, k) >= tier; });
    if (start > end) continue;  // no grid price in this tier
    const core::FeeLine line = core::feeLine(s.settings, tier);
    const std::int64_t sure = firstTrueNear(
        start, end, std::ceil((search.cost + line.fixed) * 100.0 / (s.quantity * (1 - line.rate))),
        [&](std::int64_t k) { return search.surelyAt(k, tier); });
    for (std::int64_t k = sure - 1; k >= start; --k) {
      if (!breaksEven(s, search.exact, k)) {
        if (k + 1 > kHighest) return std::nullopt;
        return k + 1;
      }
    }
    end = start - 1;
  }
  return std::nullopt;  // 0 or a profit from 0.01 up
}

core::Decimal roundTripFees(const core::ChartState& s) {
  return core::wholeYen({exactFee(s, s.buyPriceDecimal), exactFee(s, s.sellPriceDecimal)});
}

core::Decimal profitAfterTax(const core::ChartState& s) {
  const core::Decimal profit = shownProfit(s, s.sellPrice, s.sellPriceDecimal);
  if (profit.sign() <= 0) return profit;
  // The rate is kept in thousandths of a percent: tax = profit x thousandths / 100000.
  const core::Decimal tax = core::wholeTowardZero(
      profit * core::Decimal::fromDigits(false, std::to_string(s.settings.taxThousandths), -5));
  return core::wholeYen({profit, -tax});
}

FigureTexts figureTexts(const core::ChartState& s, std::optional<std::int64_t> breakEven) {
  return {std::string("損益分岐 ") + (breakEven ? core::groupedCentsText(core::Decimal::fromDigits(
                                                      false, std::to_string(*breakEven), -2)) +
                                                      "円"
                                                : std::string("—")),
          "往復手数料 " + core::groupedText(roundTripFees(s)) + "円",
          "税引後 " + core::groupedText(profitAfterTax(s)) + "円"};
}

std::optional<TradeExtent> tradeExtent(const core::ChartState& s) {
  double low = std::min(s.buyPrice, s.sellPrice);
  double high = std::max(s.buyPrice, s.sellPrice);
  if (const auto breakEven = breakEvenHundredths(s)) {
    const double price = gridFloat(*breakEven);
    low = std::min(low, price);
    high = std::max(high, price);
  }
  // Both lines at both ends, and on both sides of every tier border between them (a cheaper tier
  // above a dearer one makes a line dip there).
  std::vector<float> prices{core::toSingle(low), core::toSingle(high)};
  for (std::size_t tier = 0; tier + 1 < core::tierCount(s); ++tier) {
    const float border = core::toSingle(core::tierThreshold(s, tier) / s.quantity);
    if (border > low && border < high)
      prices.insert(prices.end(), {border, std::nextafter(border, -HUGE_VALF),
                                   std::nextafter(border, HUGE_VALF)});  // either border rule
  }
  double amountLow = HUGE_VAL, amountHigh = -HUGE_VAL;
  for (const float price : prices) {
    for (const Side side : {Side::Buy, Side::Sell}) {
      const double amount = settlementAmount(s, side, s.quantity, price);
      amountLow = std::min(amountLow, amount);
      amountHigh = std::max(amountHigh, amount);
    }
  }
  if (!std::isfinite(amountLow) || !std::isfinite(amountHigh)) return std::nullopt;
  // A tenth of the span on each side; an axis with nothing to span gets a unit's width.
  const auto widen = [](double lo, double hi, double& outLo, double& outHi) {
    const double margin = hi > lo ? (hi - lo) / 10 : std::max(1.0, std::fabs(hi) / 10);
    outLo = lo >= 0 ? std::max(0.0, lo - margin) : lo - margin;
    outHi = hi + margin;
  };
  TradeExtent e{};
  widen(low, high, e.priceLow, e.priceHigh);
  widen(amountLow, amountHigh, e.amountLow, e.amountHigh);
  e.contentPriceHigh = high;
  e.contentAmountHigh = amountHigh;
  return e;
}

FigureTexts figureTextsUnknown() { return {"損益分岐 —", "往復手数料 —", "税引後 —"}; }

}  // namespace trade
