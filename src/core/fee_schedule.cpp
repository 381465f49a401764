#include "core/fee_schedule.h"

void loadFeeSchedule(ChartState& s) {
  for (const FeeTier& tier : kFeeSchedule) s.*tier.stateFee = tier.fee;
}

std::size_t feeTierOf(double tradeValue) {
  std::size_t tier = 0;
  while (tier + 1 < kFeeSchedule.size() && !(tradeValue < kFeeSchedule[tier].tradeValueBelow))
    ++tier;
  return tier;
}
