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

std::size_t tierAt(const core::ChartState& s, std::int64_t k) {
  return core::feeTierOf(s, static_cast<double>(gridFloat(k)) * s.quantity);
}

// The one exact test every price search makes: the readout, were the shares sold at grid price
// k, shows a profit of at least x yen.
bool readoutReaches(const core::ChartState& s, std::int64_t k, const core::Decimal& x) {
  return core::wholeYen({shownProfit(s, gridFloat(k), gridDecimal(k)), -x}).sign() >= 0;
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

// What a search assumes of the fees, kept here alone: within one fee tier the fee is the tier's
// constant (core::tierFee), so there the profit rises with the price. A tier whose first price
// reaches the aim reaches it throughout, the first price that does is found by halving, and the
// floats (the trade value times the price, less that fee) settle every price far from the aim.
// A fee that varies within a tier replaces this struct.
struct ConstantFeeInTier {
  const core::ChartState& s;
  std::int64_t aim;  // yen of profit
  double cost;       // the purchase cost with its fee, in double

  float feeOf(std::size_t tier) const { return core::tierFee(s, tier); }

  // Grid price k, in the tier with fee `fee`, reaches the aim. The field values differ from
  // their floats by less than a millionth; near the aim the exact test decides.
  bool reachesAt(std::int64_t k, float fee) const {
    const double proceeds = static_cast<double>(s.quantity) * static_cast<double>(k) / 100.0;
    const double aimYen = static_cast<double>(aim);
    const double over = proceeds - fee - cost - aimYen;
    const double doubt = 1.0 + 1e-6 * (std::fabs(proceeds) + std::fabs(cost) + std::fabs(aimYen));
    if (over > doubt) return true;
    if (over < -doubt) return false;
    return readoutReaches(s, k, core::Decimal(aim));
  }
  // Where in the tier the aim is likely first reached, in hundredths.
  double estimate(float fee) const { return std::ceil((cost + fee + aim) * 100.0 / s.quantity); }
};

}  // namespace

std::optional<std::int64_t> lowestPriceFromWhichOn(const core::ChartState& s, std::int64_t profit,
                                                   const core::PriceGrid& grid) {
  if (!(s.quantity > 0)) return std::nullopt;
  const ConstantFeeInTier fees{
      s, profit, static_cast<double>(s.quantity) * s.buyPrice + funcTip(s, s.buyPrice)};
  // Each tier holds a run of 0.01 prices (the trade value rises with the price); walk them from
  // the highest down, trying the grid's prices among them. A tier whose first grid price reaches
  // the aim reaches it throughout; the first tier from the top that does not holds the answer.
  std::int64_t end = kHighest;  // the last 0.01 price of the tier in hand
  for (std::size_t tier = core::tierCount(s); tier-- > 0;) {
    const std::int64_t start =
        tier == 0 ? kLowest
                  : firstTrueNear(kLowest, end,
                                  std::ceil(core::tierThreshold(s, tier - 1) * 100.0 / s.quantity),
                                  [&](std::int64_t k) { return tierAt(s, k) >= tier; });
    if (start > end) continue;  // no 0.01 price in this tier
    const std::int64_t first = grid.atOrAbove(start), last = grid.atOrBelow(end);
    if (first <= last) {
      const float fee = fees.feeOf(tier);
      if (!fees.reachesAt(first, fee)) {
        // The first hundredth whose grid price at or above it reaches: that grid price.
        const std::int64_t from =
            firstTrueNear(first + 1, last, fees.estimate(fee),
                          [&](std::int64_t k) { return fees.reachesAt(grid.atOrAbove(k), fee); });
        const std::int64_t answer = grid.atOrAbove(from > last ? last + 1 : from);
        if (answer > kHighest) return std::nullopt;
        return answer;
      }
    }
    end = start - 1;
  }
  return std::nullopt;  // the aim is reached from the grid's lowest price up
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

PriceAnswer pricesFor(const core::ChartState& s, std::int64_t profit) {
  const core::PriceGrid orderable(s.settings);
  PriceAnswer answer;
  answer.hundredths = lowestPriceFromWhichOn(s, profit, core::PriceGrid::hundredths());
  answer.orderable = orderable.isEveryHundredth() ? answer.hundredths
                                                  : lowestPriceFromWhichOn(s, profit, orderable);
  return answer;
}

}  // namespace

PriceAnswer breakEvenPrices(const core::ChartState& s) { return pricesFor(s, 0); }

PriceAnswer targetPrices(const core::ChartState& s) {
  if (!s.targetAfterTax) return {};
  const auto profit = profitNeeded(s, *s.targetAfterTax);
  if (!profit) return {};
  return pricesFor(s, *profit);
}

core::Decimal roundTripFees(const core::ChartState& s) {
  return core::wholeYen(
      {core::fromFloat(funcTip(s, s.buyPrice)), core::fromFloat(funcTip(s, s.sellPrice))});
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
  const core::Decimal profit = shownProfit(s, s.sellPrice, s.sellPriceDecimal);
  return {breakEvenPrices(s),    targetPrices(s), roundTripFees(s),
          afterTaxOf(s, profit), profit,          returnOf(s, profit)};
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
      prices.insert(prices.end(), {border, std::nextafter(border, -HUGE_VALF)});
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
