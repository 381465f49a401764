#include "core/fee_schedule.h"

#include <algorithm>
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

// A value against a whole number of yen: -1, 0 or 1. A trade value of a few digits (nearly every
// one) is compared by its whole part in 64 bits; a value with decimals is never whole, so it lies
// above that part (below it when negative). The rest is compared as decimals.
int compareWhole(const Decimal& value, std::int64_t whole) {
  const std::int64_t exponent = value.exponent();
  const auto size = static_cast<std::int64_t>(value.digits().size());
  if (value.sign() == 0 || size > 18 || exponent < -18 || size + exponent > 18)
    return compare(value, Decimal(static_cast<long long>(whole)));
  std::int64_t part = 0;  // the whole part's magnitude
  for (std::int64_t i = 0; i < size + std::min<std::int64_t>(exponent, 0); ++i)
    part = part * 10 + (value.digits()[static_cast<std::size_t>(i)] - '0');
  for (std::int64_t i = 0; i < exponent; ++i) part *= 10;
  if (value.sign() < 0) part = -part;
  if (exponent < 0) return (value.sign() > 0 ? part >= whole : part > whole) ? 1 : -1;
  return part < whole ? -1 : part > whole ? 1 : 0;
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
  // The thresholds rise: halve the tiers, each exact comparison being dear.
  std::size_t low = 0, high = settings.fees.empty() ? 0 : settings.fees.size() - 1;
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (pastBorder(compareWhole(tradeValue, *settings.fees[mid].below), settings.feeBorders))
      low = mid + 1;
    else
      high = mid;
  }
  return low;
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
  return feeInTier(settings, feeTierOf(settings, tradeValue), tradeValue);
}

Decimal feeInTier(const TradeSettings& settings, std::size_t tier, const Decimal& tradeValue) {
  const FeeTerms terms = feeTerms(settings, tier, tradeValue);
  if (terms.share.sign() == 0) return terms.fixed;
  return wholeYen({terms.fixed, wholeDown(terms.share)});  // whole numbers: the sum is exact
}

float feeOfFloats(const TradeSettings& settings, float quantity, float price) {
  // The product of two floats is exact in double, so the tier is found there; only a rate needs
  // the decimals. A value that is not finite has no fee worth computing: its amount is not finite.
  const double value = static_cast<double>(quantity) * price;
  const std::size_t tier = feeTierOf(settings, value);
  const FeeTierSetting& t = settings.fees[tier];
  if (t.percent != 0 && std::isfinite(value)) {
    // The value is exact in double and so, but for the last bits, is its share; where that lies
    // clearly between two whole yen its floor is the exact one (bounding commutes with it).
    const double share = value * static_cast<double>(t.percent) / 1e6;
    const double down = std::floor(share);
    const double doubt = 1e-6 + 1e-13 * std::fabs(share);
    if (share - down > doubt && down + 1 - share > doubt && std::fabs(share) < 1e15) {
      double fee = static_cast<double>(t.fee) + down;
      if (t.min) fee = std::max(fee, static_cast<double>(*t.min));
      if (t.max) fee = std::min(fee, static_cast<double>(*t.max));
      return toSingle(fee);
    }
    return toFloat(feeOf(settings, fromFloat(quantity) * fromFloat(price)));
  }
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
  // Up to fifteen digits the whole number is exact in double, as its text would read.
  if (whole.exponent() >= 0 &&
      whole.digits().size() + static_cast<std::size_t>(whole.exponent()) <= 15) {
    std::int64_t value = 0;
    for (const char c : whole.digits()) value = value * 10 + (c - '0');
    for (std::int64_t i = 0; i < whole.exponent(); ++i) value *= 10;
    return toSingle(static_cast<double>(whole.sign() < 0 ? -value : value));
  }
  return toSingle(std::stod(plainText(whole)));
}

}  // namespace core
