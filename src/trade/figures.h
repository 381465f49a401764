#pragma once
// The answers an investor asks of a round trip, beside the profit/loss readout: the sell price
// that breaks even, the fees of both trades, and the profit after tax.
#include <cstdint>
#include <optional>
#include <string>

#include "core/chart_state.h"

namespace trade {

// The lowest sell price on the 0.01 grid, in hundredths of a yen, from which on the readout shows
// 0 or a profit at every grid price. Each fee tier border makes the profit dip just past it, so
// the first price that breaks even is not always the answer. Nothing when the readout shows 0 or
// a profit at every price from 0.01 up, or only beyond 10^15 yen.
std::optional<std::int64_t> breakEvenHundredths(const core::ChartState& s);

// The buy fee plus the sell fee of the trade held.
core::Decimal roundTripFees(const core::ChartState& s);

// The shown profit less the tax on it: the profit x rate / 100, rounded down to whole yen, when
// the readout shows a profit; a loss or zero is untaxed.
core::Decimal profitAfterTax(const core::ChartState& s);

// The three figures as the window writes them: 「損益分岐 1,244.50円」「往復手数料 3,150円」
// 「税引後 11,833円」, with 「—」 where a figure has no answer. `breakEven` is
// breakEvenHundredths(s), which the caller also marks on the chart.
struct FigureTexts {
  std::string breakEven, fees, afterTax;
};
FigureTexts figureTexts(const core::ChartState& s, std::optional<std::int64_t> breakEven);
// The texts when the trade cannot be read (a field not taken).
FigureTexts figureTextsUnknown();

// What a view must show of the trade: the buy, sell and break-even prices and both amount lines
// between the lowest and the highest of them, each axis widened by a tenth of its span on each
// side (not below 0 where the trade itself is not). Nothing when the amounts would not be finite.
struct TradeExtent {
  double priceLow, priceHigh, amountLow, amountHigh;  // with the margins
  // What must stay in view, without them.
  double contentPriceLow, contentPriceHigh, contentAmountLow, contentAmountHigh;
};
std::optional<TradeExtent> tradeExtent(const core::ChartState& s);

}  // namespace trade
