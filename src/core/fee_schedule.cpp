#include "core/fee_schedule.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/single.h"

namespace core {

namespace {

// A tier's rate, value x percent / 100, as an exact decimal: ten-thousandths of a percent are
// millionths.
Decimal rateOf(const FeeTierSetting& tier) {
  return Decimal::fromDigits(false, std::to_string(tier.percent), -6);
}

int compareWhole(const Decimal& value, std::int64_t threshold) {
  return compare(value, Decimal(static_cast<long long>(threshold)));
}

}  // namespace

double tierThreshold(const ChartState& s, std::size_t tier) {
  const auto& below = s.settings.fees[tier].below;
  return below ? static_cast<double>(*below) : std::numeric_limits<double>::infinity();
}

std::size_t feeTierOf(const TradeSettings& settings, double tradeValue) {
  const auto order = [](double a, double b) { return a < b ? -1 : a > b ? 1 : 0; };
  std::size_t tier = 0;
  while (tier + 1 < settings.fees.size() &&
         (std::isnan(tradeValue) ||
          pastBorder(order(tradeValue, static_cast<double>(*settings.fees[tier].below)),
                     settings.feeBorders)))
    ++tier;
  return tier;
}

std::size_t feeTierOf(const ChartState& s, double tradeValue) {
  return feeTierOf(s.settings, tradeValue);
}

std::size_t feeTierOf(const TradeSettings& settings, const Decimal& tradeValue) {
  std::size_t tier = 0;
  while (tier + 1 < settings.fees.size() &&
         pastBorder(compareWhole(tradeValue, *settings.fees[tier].below), settings.feeBorders))
    ++tier;
  return tier;
}

FeeTerms feeTerms(const TradeSettings& settings, std::size_t tier, const Decimal& tradeValue) {
  const FeeTierSetting& t = settings.fees[tier];
  const Decimal share = t.percent == 0 ? Decimal() : tradeValue * rateOf(t);
  // fixed + share against a bound: share against the bound less the fixed fee, both whole.
  if (t.min && compareWhole(share, *t.min - t.fee) < 0)
    return {Decimal(static_cast<long long>(*t.min)), Decimal()};
  if (t.max && compareWhole(share, *t.max - t.fee) > 0)
    return {Decimal(static_cast<long long>(*t.max)), Decimal()};
  return {Decimal(static_cast<long long>(t.fee)), share};
}

// Rounding down and then bounding is the same as bounding and then rounding down: the bounds are
// whole yen.
Decimal feeOf(const TradeSettings& settings, const Decimal& tradeValue) {
  const FeeTerms terms = feeTerms(settings, feeTierOf(settings, tradeValue), tradeValue);
  if (terms.share.sign() == 0) return terms.fixed;
  return wholeYen({terms.fixed, wholeDown(terms.share)});  // whole numbers: the sum is exact
}

float feeOfFloats(const TradeSettings& settings, float quantity, float price) {
  // The product of two floats is exact in double, so the tier is found there; only a rate needs
  // the decimals. A value that is not finite has no fee worth computing: its amount is not finite.
  const double value = static_cast<double>(quantity) * price;
  const std::size_t tier = feeTierOf(settings, value);
  const FeeTierSetting& t = settings.fees[tier];
  if (t.percent != 0 && std::isfinite(value))
    return toFloat(feeOf(settings, fromFloat(quantity) * fromFloat(price)));
  return toFloat(feeTerms(settings, tier, Decimal()).fixed);
}

FeeLine feeLine(const TradeSettings& settings, std::size_t tier) {
  const FeeTierSetting& t = settings.fees[tier];
  FeeLine line{static_cast<double>(t.fee), static_cast<double>(t.percent) / 1e6, std::nullopt,
               std::nullopt};
  if (t.min) line.min = static_cast<double>(*t.min);
  if (t.max) line.max = static_cast<double>(*t.max);
  return line;
}

float tierFee(const ChartState& s, std::size_t tier) {
  return toFloat(feeTerms(s.settings, tier, Decimal()).fixed);
}

float toFloat(const Decimal& whole) {
  if (whole.sign() == 0) return 0;
  return toSingle(std::stod(plainText(whole)));
}

}  // namespace core
