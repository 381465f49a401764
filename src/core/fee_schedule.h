#pragma once
// The brokerage fee schedule: three tiers by trade value (quantity x unit price). This is the one
// place the fees and the thresholds are written; the readout, the markers, the entry-field checks
// and the amount lines all take them from here, through the state's fee variables.
#include <array>
#include <cstddef>
#include <limits>

#include "core/chart_state.h"

struct FeeTier {
  double tradeValueBelow;       // the tier holds trade values below this one
  float fee;                    // the fee start-up loads into the state
  float ChartState::*stateFee;  // the state variable that holds the fee at run time
};

inline constexpr std::array<FeeTier, 3> kFeeSchedule{{
    {50000, 525, &ChartState::feeLow},
    {200000, 1050, &ChartState::feeMid},
    {std::numeric_limits<double>::infinity(), 1575, &ChartState::feeHigh},
}};

// Start-up's fees: every tier's fee into its state variable.
void loadFeeSchedule(ChartState& s);

// The tier of a trade value; a value equal to a threshold belongs to the higher tier, and one
// that is not a number to the highest.
std::size_t feeTierOf(double tradeValue);

// The fee in force (the state's) for a tier.
inline float tierFee(const ChartState& s, std::size_t tier) {
  return s.*kFeeSchedule[tier].stateFee;
}
