#pragma once
// The brokerage fee of one trade and the profit/loss of the round trip.
#include <string>

#include "core/chart_state.h"

// The fee of one trade of `quantity` shares at unit price tempP, tiered on the trade value.
float funcTip(const ChartState& s, float tempP);

namespace trade {

enum class Side { Buy, Sell };

// funcTip for a quantity that is not (yet) the state's one: the fee of the trade value's tier.
float feeFor(const ChartState& s, float quantity, float price);

// The settlement amount of one side: quantity * price plus the fee (buy) or minus it (sell),
// stored in single precision.
float settlementAmount(const ChartState& s, Side side, float quantity, float price);

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
