#include "trade/figures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/fee_schedule.h"
#include "core/number_text.h"
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

// Grid price k's exact trade value lies in `tier` or above, as the readout finds its tier. The
// doubles settle it away from the border (the field values differ from their floats by less than
// a millionth); near it the exact value decides.
bool inTierOrAbove(const core::ChartState& s, std::int64_t k, std::size_t tier) {
  const double value = static_cast<double>(s.quantity) * static_cast<double>(k) / 100.0;
  const double border = core::tierThreshold(s, tier - 1);
  if (std::fabs(value - border) > 1e-6 * (border + 1)) return value > border;
  return core::feeTierOf(s.settings, s.quantityDecimal * gridDecimal(k)) >= tier;
}

// The purchase cost and its fee, exact and negated: the same for every sell price tried.
struct Cost {
  core::Decimal value, fee;
};
Cost purchaseCost(const core::ChartState& s) {
  return {-(s.quantityDecimal * s.buyPriceDecimal), -exactFee(s, s.buyPriceDecimal)};
}

// The one exact test every price search makes: the readout, were the shares sold at grid price
// k (its value in `tier`), shows a profit of at least `aim` yen (as shownProfit, with the cost
// given).
bool readoutReaches(const core::ChartState& s, const Cost& cost, std::size_t tier, std::int64_t k,
                    const core::Decimal& aim) {
  const core::Decimal proceeds = s.quantityDecimal * gridDecimal(k);
  const core::Decimal profit = core::wholeYen(
      {proceeds, -core::feeInTier(s.settings, tier, proceeds), cost.value, cost.fee});
  return core::wholeYen({profit, -aim}).sign() >= 0;
}

// The same with the tier's fee before it is rounded down, which is the larger by less than a
// yen: where this holds, the readout reaches the aim too, and it rises with the price (the rate
// is at most a tenth).
bool surelyReaches(const core::ChartState& s, const Cost& cost, std::size_t tier, std::int64_t k,
                   const core::Decimal& aim) {
  const core::Decimal proceeds = s.quantityDecimal * gridDecimal(k);
  const core::FeeTerms fee = core::feeTerms(s.settings, tier, proceeds);
  const core::Decimal profit =
      core::wholeYen({proceeds, -fee.fixed, -fee.share, cost.value, cost.fee});
  return core::wholeYen({profit, -aim}).sign() >= 0;
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

// What a search assumes of the fees, kept here alone: within one fee tier the fee before it is
// rounded down is clamp(fixed + rate x value, min, max) (core::feeLine), so there the profit with
// it rises with the price, and the fee rounded down is less than it by under a yen. The first
// grid price where that profit reaches the aim is found by halving, the floats settling every
// price far from the aim; below it the rounding may still let a few prices reach the aim, within
// a few yen of trade value, and those are tried one by one.
struct FeeInTier {
  const core::ChartState& s;
  Cost exact;
  core::Decimal aim;  // yen of profit
  double aimYen;
  double cost;  // the purchase cost with its fee, in double

  // Grid price k in the tier reaches the aim even with the fee before rounding down. The field
  // values differ from their floats by less than a millionth; near the aim the exact test decides.
  bool surelyAt(std::int64_t k, std::size_t tier, const core::FeeLine& line) const {
    const double proceeds = static_cast<double>(s.quantity) * static_cast<double>(k) / 100.0;
    double fee = line.fixed + line.rate * proceeds;
    if (line.min) fee = std::max(fee, *line.min);
    if (line.max) fee = std::min(fee, *line.max);
    const double over = proceeds - fee - cost - aimYen;
    const double doubt = 1.0 + 1e-6 * (std::fabs(proceeds) + std::fabs(cost) + std::fabs(aimYen));
    if (over > doubt) return true;
    if (over < -doubt) return false;
    return surelyReaches(s, exact, tier, k, aim);
  }
  bool at(std::int64_t k, std::size_t tier) const { return readoutReaches(s, exact, tier, k, aim); }

  // From grid price `from`, which reaches the aim, down to the lowest price from which on all
  // do. Going down, the fee rounded down falls a yen at a time, ten yen of trade value or more
  // apart (the rate is at most a tenth), and between two such steps the profit falls with the
  // price: each run of one rounded fee is halved for its lowest price that reaches; where that is
  // the run's first price, the run below is tried. A few prices are tried one by one first: with
  // many shares or a coarse grid they are all there is.
  std::int64_t lowestReaching(const core::PriceGrid& grid, std::size_t tier, std::int64_t first,
                              std::int64_t from) const {
    for (int tried = 0; tried < 8; ++tried) {
      const std::int64_t below = grid.below(from);
      if (below < first || !at(below, tier)) return from;
      from = below;
    }
    const auto feeAt = [&](std::int64_t k) {
      return core::feeInTier(s.settings, tier, s.quantityDecimal * gridDecimal(k));
    };
    for (;;) {
      const core::Decimal fee = feeAt(from);
      const std::int64_t run =
          grid.atOrAbove(firstTrueNear(first, from, static_cast<double>(from), [&](std::int64_t k) {
            return core::compare(feeAt(grid.atOrAbove(k)), fee) >= 0;
          }));
      const std::int64_t lowest =
          grid.atOrAbove(firstTrueNear(run, from, static_cast<double>(from), [&](std::int64_t k) {
            return at(grid.atOrAbove(k), tier);
          }));
      const std::int64_t below = grid.below(lowest);
      if (lowest > run || below < first || !at(below, tier)) return lowest;
      from = below;
    }
  }
  // Where in the tier the aim is likely first reached, in hundredths.
  double estimate(const core::FeeLine& line) const {
    return std::ceil((cost + line.fixed + aimYen) * 100.0 / (s.quantity * (1 - line.rate)));
  }
};

// lowestPriceFromWhichOn with the purchase cost worked out: the figures make four searches of
// one trade.
std::optional<std::int64_t> lowestFrom(const core::ChartState& s, const Cost& exact,
                                       std::int64_t profit, const core::PriceGrid& grid) {
  if (!(s.quantity > 0)) return std::nullopt;
  const FeeInTier fees{s, exact, core::Decimal(profit), static_cast<double>(profit),
                       static_cast<double>(s.quantity) * s.buyPrice - core::toFloat(exact.fee)};
  // Each tier holds a run of 0.01 prices (the trade value rises with the price); walk them from
  // the highest down, trying the grid's prices among them. In each, find the first grid price from
  // which on every one reaches the aim; the first tier from the top where that is not its first
  // grid price holds the answer.
  std::int64_t end = kHighest;  // the last 0.01 price of the tier in hand
  // A whole quantity (the usual one) finds each tier's first price directly.
  std::optional<std::int64_t> whole;
  if (s.quantity >= 1 && s.quantity <= 1e9 && s.quantity == std::floor(s.quantity) &&
      s.quantityDecimal == core::Decimal(static_cast<long long>(s.quantity)))
    whole = static_cast<std::int64_t>(s.quantity);
  for (std::size_t tier = core::tierCount(s); tier-- > 0;) {
    std::int64_t start = kLowest;
    if (tier > 0 && whole) {
      // q x k against 100 x the threshold, in integers: past it (未満), or beyond it (まで).
      const std::int64_t border = 100 * *s.settings.fees[tier - 1].below;
      const bool upTo = s.settings.feeBorders == core::FeeBorders::UpTo;
      start = std::min(end + 1, upTo ? border / *whole + 1 : (border + *whole - 1) / *whole);
    } else if (tier > 0) {
      start = firstTrueNear(kLowest, end,
                            std::ceil(core::tierThreshold(s, tier - 1) * 100.0 / s.quantity),
                            [&](std::int64_t k) { return inTierOrAbove(s, k, tier); });
    }
    if (start > end) continue;  // no 0.01 price in this tier
    const std::int64_t first = grid.atOrAbove(start), last = grid.atOrBelow(end);
    if (first > last) {
      end = start - 1;
      continue;
    }
    const core::FeeLine line = core::feeLine(s.settings, tier);
    std::int64_t from = first;
    if (!fees.surelyAt(first, tier, line)) {
      // The first hundredth whose grid price at or above it surely reaches: that grid price (the
      // first of the tier above where none does).
      const std::int64_t sure = firstTrueNear(
          first + 1, last, fees.estimate(line),
          [&](std::int64_t k) { return fees.surelyAt(grid.atOrAbove(k), tier, line); });
      from = grid.atOrAbove(sure > last ? last + 1 : sure);
      from = fees.lowestReaching(grid, tier, first, from);
    }
    if (from > first) return from > kHighest ? std::nullopt : std::optional<std::int64_t>(from);
    end = start - 1;
  }
  return std::nullopt;  // the aim is reached from the grid's lowest price up
}

}  // namespace

std::optional<std::int64_t> lowestPriceFromWhichOn(const core::ChartState& s, std::int64_t profit,
                                                   const core::PriceGrid& grid) {
  return lowestFrom(s, purchaseCost(s), profit, grid);
}

std::optional<std::int64_t> breakEvenHundredths(const core::ChartState& s) {
  return lowestPriceFromWhichOn(s, 0, core::PriceGrid::hundredths());
}

std::optional<std::int64_t> profitNeeded(const core::ChartState& s, std::int64_t target) {
  if (target <= 0) return target;
  // After tax a profit p keeps p - floor(p x rate), which rises with p (by 0 or 1 a yen).
  const std::int64_t rate = core::taxThousandthsInForce(s);
  constexpr std::int64_t kWhole = 100'000;
  if (rate >= kWhole) return std::nullopt;
  // p x rate / 100000 rounded down, in two parts so that no product leaves an int64.
  const auto kept = [rate](std::int64_t p) {
    return p - ((p / kWhole) * rate + (p % kWhole) * rate / kWhole);
  };
  constexpr std::int64_t kMostProfit = 1'000'000'000'000'000'000;  // yen; far beyond any trade
  if (kept(kMostProfit) < target) return std::nullopt;
  return firstTrue(target, kMostProfit, [&](std::int64_t p) { return kept(p) >= target; });
}

namespace {

PriceAnswer pricesFor(const core::ChartState& s, const Cost& cost, std::int64_t profit) {
  const core::PriceGrid orderable(s.settings);
  PriceAnswer answer;
  answer.hundredths = lowestFrom(s, cost, profit, core::PriceGrid::hundredths());
  answer.orderable =
      orderable.isEveryHundredth() ? answer.hundredths : lowestFrom(s, cost, profit, orderable);
  return answer;
}

PriceAnswer targetPricesFor(const core::ChartState& s, const Cost& cost) {
  if (!s.targetAfterTax) return {};
  const auto profit = profitNeeded(s, *s.targetAfterTax);
  if (!profit) return {};
  return pricesFor(s, cost, *profit);
}

}  // namespace

PriceAnswer breakEvenPrices(const core::ChartState& s) { return pricesFor(s, purchaseCost(s), 0); }

PriceAnswer targetPrices(const core::ChartState& s) { return targetPricesFor(s, purchaseCost(s)); }

core::Decimal roundTripFees(const core::ChartState& s) {
  return core::wholeYen({exactFee(s, s.buyPriceDecimal), exactFee(s, s.sellPriceDecimal)});
}

namespace {

core::Decimal afterTaxOf(const core::ChartState& s, const core::Decimal& profit) {
  if (profit.sign() <= 0) return profit;
  // The rate is kept in thousandths of a percent: tax = profit x thousandths / 100000.
  const core::Decimal tax = core::wholeTowardZero(
      profit *
      core::Decimal::fromDigits(false, std::to_string(core::taxThousandthsInForce(s)), -5));
  return core::wholeYen({profit, -tax});
}

std::optional<std::int64_t> returnOf(const core::ChartState& s, const core::Decimal& profit) {
  const core::Decimal amount = core::wholeYen(
      {s.quantityDecimal * s.buyPriceDecimal, core::fromFloat(funcTip(s, s.buyPrice))});
  if (amount.sign() <= 0) return std::nullopt;
  // Both are whole yen: the quotient of their doubles is off by far less than the distance to a
  // half of a hundredth, except where it nearly is one; there the exact decimals decide: n is the
  // answer when (2n - 1) x amount <= 20000 x |profit| < (2n + 1) x amount.
  const double estimate =
      std::fabs(std::stod(core::plainText(profit))) * 10000.0 / std::stod(core::plainText(amount));
  if (!(estimate < 1e15)) return std::nullopt;
  auto n = static_cast<std::int64_t>(std::llround(estimate));
  const double fromHalf = std::fabs(std::fabs(estimate - static_cast<double>(n)) - 0.5);
  if (fromHalf < 1e-6 + 1e-12 * estimate) {
    const core::Decimal twice = core::Decimal(20000) * (profit.sign() < 0 ? -profit : profit);
    const auto at = [&](std::int64_t odd) {  // sign of odd x amount - 20000 x |profit|
      return core::wholeYen({core::Decimal(odd) * amount, -twice}).sign();
    };
    while (at(2 * n + 1) <= 0) ++n;
    while (n > 0 && at(2 * n - 1) > 0) --n;
  }
  return profit.sign() < 0 ? -n : n;
}

}  // namespace

core::Decimal profitAfterTax(const core::ChartState& s) {
  return afterTaxOf(s, shownProfit(s, s.sellPrice, s.sellPriceDecimal));
}

std::optional<std::int64_t> returnHundredths(const core::ChartState& s) {
  return returnOf(s, shownProfit(s, s.sellPrice, s.sellPriceDecimal));
}

TradeFigures tradeFigures(const core::ChartState& s) {
  const Cost cost = purchaseCost(s);
  const core::Decimal profit = shownProfit(s, s.sellPrice, s.sellPriceDecimal);
  return {pricesFor(s, cost, 0),
          targetPricesFor(s, cost),
          roundTripFees(s),
          afterTaxOf(s, profit),
          profit,
          returnOf(s, profit)};
}

namespace {

core::Decimal hundredthsDecimal(std::int64_t k) {
  return core::Decimal::fromDigits(k < 0, std::to_string(k < 0 ? -k : k), -2);
}

// A price answer as the figure writes it: the orderable price with the decimals the settings'
// steps need, then the 0.01-grid price in brackets where the two differ.
FigureValue priceValue(const core::ChartState& s, const PriceAnswer& answer) {
  if (!answer.orderable) return {"—", std::nullopt};
  const core::Decimal price = hundredthsDecimal(*answer.orderable);
  std::string text = core::trimPriceText(core::groupedCentsText(price), s.settings) + "円";
  if (answer.hundredths && *answer.hundredths != *answer.orderable)
    text += "（" + core::groupedCentsText(hundredthsDecimal(*answer.hundredths)) + "）";
  return {text, price};
}

FigureValue yenValue(const core::Decimal& amount) {
  return {core::groupedText(amount) + "円", amount};
}

// The readout's sign, also where the percentage rounds to 0.00.
FigureValue returnValue(const TradeFigures& f) {
  if (!f.returnHundredths) return {"—", std::nullopt};
  const std::int64_t n = *f.returnHundredths;
  const core::Decimal percent = hundredthsDecimal(n);
  const std::string magnitude = core::groupedCentsText(n < 0 ? -percent : percent);
  return {(f.profit.sign() < 0 ? "-" : "") + magnitude + "%", percent};
}

}  // namespace

const std::vector<FigureRow>& figureTable() {
  using S = const core::ChartState&;
  using F = const TradeFigures&;
  static const std::vector<FigureRow> table = {
      {"LblBreakEven", "損益分岐", [](S s, F f) { return priceValue(s, f.breakEven); }},
      {"LblRoundTripFees", "往復手数料", [](S, F f) { return yenValue(f.fees); }},
      {"LblAfterTax", "税引後", [](S, F f) { return yenValue(f.afterTax); }},
      {"LblReturn", "損益率", [](S, F f) { return returnValue(f); }},
      {"LblTargetPrice", "目標価格", [](S s, F f) { return priceValue(s, f.target); }},
  };
  return table;
}

std::string figureText(const FigureRow& row, const core::ChartState& s,
                       const std::optional<TradeFigures>& known) {
  return std::string(row.caption) + " " + (known ? row.value(s, *known).text : "—");
}

namespace {
FigureTexts firstThree(const core::ChartState& s, const std::optional<TradeFigures>& f) {
  const auto& t = figureTable();
  return {figureText(t[0], s, f), figureText(t[1], s, f), figureText(t[2], s, f)};
}
}  // namespace

FigureTexts figureTexts(const core::ChartState& s, std::optional<std::int64_t>) {
  return firstThree(s, tradeFigures(s));
}

std::optional<TradeExtent> tradeExtent(const core::ChartState& s) {
  double low = std::min(s.buyPrice, s.sellPrice);
  double high = std::max(s.buyPrice, s.sellPrice);
  // The dashed marks too: the break-even and the target's price where the lines cross.
  for (const auto& mark : {breakEvenHundredths(s), targetPrices(s).hundredths}) {
    if (!mark) continue;
    const double price = gridFloat(*mark);
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
  e.contentPriceLow = low;
  e.contentPriceHigh = high;
  e.contentAmountLow = amountLow;
  e.contentAmountHigh = amountHigh;
  return e;
}

FigureTexts figureTextsUnknown() { return firstThree(core::ChartState{}, std::nullopt); }

}  // namespace trade
