#include "core/fee_schedule.h"

#include <limits>

#include "core/single.h"

namespace core {

double tierThreshold(const ChartState& s, std::size_t tier) {
  const auto& below = s.settings.fees[tier].below;
  return below ? static_cast<double>(*below) : std::numeric_limits<double>::infinity();
}

std::size_t feeTierOf(const ChartState& s, double tradeValue) {
  std::size_t tier = 0;
  while (tier + 1 < tierCount(s) && !(tradeValue < tierThreshold(s, tier))) ++tier;
  return tier;
}

float tierFee(const ChartState& s, std::size_t tier) {
  // Fees are whole yen of at most eight digits: exact as floats.
  return toSingle(s.settings.fees[tier].fee);
}

}  // namespace core
