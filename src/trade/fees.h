#pragma once
// The brokerage fee of one trade and the profit/loss of the round trip.
#include <string>

#include "core/chart_state.h"

namespace trade {

// The fee of one trade of `quantity` shares at unit price tempP, tiered on the trade value.
float funcTip(const core::ChartState& s, float tempP);

enum class Side { Buy, Sell };

// funcTip for a quantity that is not (yet) the state's one: the fee of the floats' trade value.
float feeFor(const core::ChartState& s, float quantity, float price);

// The fee of a trade of the state's quantity (as its field holds it) at an exact unit price.
core::Decimal exactFee(const core::ChartState& s, const core::Decimal& priceDecimal);

// The settlement amount of one side: quantity * price plus the fee (buy) or minus it (sell),
// stored in single precision.
float settlementAmount(const core::ChartState& s, Side side, float quantity, float price);

// The settlement amount of one side at a unit price, as its amount label shows it ("\\#,##0"):
// the quantity and the price as the fields hold them and the fee of that exact trade value,
// rounded once to whole yen. `priceDecimal` is the exact value of the float `price`.
std::string settlementText(const core::ChartState& s, Side side, float price,
                           const core::Decimal& priceDecimal);
// The same at the side's own price.
std::string settlementText(const core::ChartState& s, Side side);

// The round trip's profit or loss as the readout shows it, were the shares sold at `sellPrice`
// (its exact value `sellDecimal`): sell proceeds after fee minus purchase cost including fee,
// exact from the field values, rounded once to whole yen.
core::Decimal shownProfit(const core::ChartState& s, float sellPrice,
                          const core::Decimal& sellDecimal);

// What the profit/loss label shows: its caption ("#,##0") and its colours.
struct ReadoutLook {
  std::string caption;
  core::Colour back;
  core::Colour fore;
};

// The shown profit at the sell price held; the colours follow its sign.
ReadoutLook profitLossReadout(const core::ChartState& s);

}  // namespace trade
