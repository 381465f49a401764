#pragma once
// The brokerage fee of one trade and the profit/loss of the round trip.
#include <string>

#include "app/chart_state.h"

// The fee of one trade of `quantity` shares at unit price tempP, tiered on the trade value.
float funcTip(const ChartState& s, float tempP);

namespace trade {

// Trade values where the fee tier changes; a value equal to a threshold pays the higher fee.
inline constexpr double kFeeThresholdLow = 50000;
inline constexpr double kFeeThresholdHigh = 200000;

// funcTip for a quantity that is not (yet) the state's one.
float feeFor(const ChartState& s, float quantity, float price);

// A double stored in single precision; a value beyond the float range becomes an infinity of its
// sign (instead of an undefined conversion).
float storeFloat(double value);
// True when the value can be stored in single precision without becoming infinite.
bool finiteAsFloat(double value);

// What the profit/loss label shows: its caption ("#,##0") and its colours.
struct ReadoutLook {
  std::string caption;
  Colour back;
  Colour fore;
};

// Sell proceeds after fee (through their 7-digit text, as they are shown) minus purchase cost
// including fee; the colours follow the sign of the number the caption shows.
ReadoutLook profitLossReadout(const ChartState& s);

}  // namespace trade
