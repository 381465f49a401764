#pragma once
// The brokerage fee schedule in force: the tiers of the state's settings, by trade value
// (quantity x unit price). Every fee the program charges, shows or draws comes from here: the
// readout, the amount labels and markers, the figures, the pointer readout, the amount lines and
// the walk of their borders.
#include <cstddef>
#include <optional>

#include "core/chart_state.h"
#include "core/decimal.h"

namespace core {

inline std::size_t tierCount(const ChartState& s) { return s.settings.fees.size(); }

// The trade value a tier ends at, as a double; the last tier's is infinite.
double tierThreshold(const ChartState& s, std::size_t tier);

// The one rule of the borders: a trade value whose order against a threshold is `order` (-1, 0,
// 1) lies past it, in the next tier. A value equal to the threshold does under 「未満」 and
// does not under 「まで」.
inline bool pastBorder(int order, FeeBorders rule) {
  return rule == FeeBorders::UpTo ? order > 0 : order >= 0;
}

// The tier of a trade value; one that is not a number belongs to the highest.
std::size_t feeTierOf(const TradeSettings& settings, double tradeValue);
std::size_t feeTierOf(const ChartState& s, double tradeValue);
std::size_t feeTierOf(const TradeSettings& settings, const Decimal& tradeValue);

// A tier's fee at a trade value before it is rounded down: `fixed` + `share`, where `share` is
// the value x the rate, or zero where the minimum or the maximum holds instead (then `fixed` is
// that bound). Exact.
struct FeeTerms {
  Decimal fixed;
  Decimal share;
};
FeeTerms feeTerms(const TradeSettings& settings, std::size_t tier, const Decimal& tradeValue);

// The fee of a trade of this value: the fixed fee plus the value x the rate, rounded down to
// whole yen, then raised to the minimum and lowered to the maximum. Exact, in whole yen.
Decimal feeOf(const TradeSettings& settings, const Decimal& tradeValue);
// The same for a value known to lie in `tier`.
Decimal feeInTier(const TradeSettings& settings, std::size_t tier, const Decimal& tradeValue);

// The same for a trade value given as the product of two floats (exact in decimals), as a float.
float feeOfFloats(const TradeSettings& settings, float quantity, float price);

// A tier's fee as a line over the trade value, before rounding down, for the chart:
// clamp(fixed + rate x value, min, max).
struct FeeLine {
  double fixed;
  double rate;
  std::optional<double> min, max;
};
FeeLine feeLine(const TradeSettings& settings, std::size_t tier);

// The fee of a tier with no rate (its fixed fee within its bounds), as a float.
float tierFee(const ChartState& s, std::size_t tier);

// A fee as a float (whole yen of at most eight digits are exact; larger ones round).
float toFloat(const Decimal& whole);

}  // namespace core
