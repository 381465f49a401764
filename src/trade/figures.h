#pragma once
// The answers an investor asks of a round trip, beside the profit/loss readout: the sell price
// that breaks even, the fees of both trades, the profit after tax, the return and the sell price
// of a target, the prices on the grid an order can be placed at.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/chart_state.h"
#include "core/price_grid.h"

namespace trade {

// The lowest sell price of `grid`, in hundredths of a yen, from which on the readout shows a
// profit of at least `profit` yen at every price of the grid. Each fee tier border makes the
// profit dip just past it, so the first price that reaches it is not always the answer. Nothing
// when every price of the grid from 0.01 up reaches it, or only prices beyond 10^15 yen.
std::optional<std::int64_t> lowestPriceFromWhichOn(const core::ChartState& s, std::int64_t profit,
                                                   const core::PriceGrid& grid);

// The same for a profit of 0 on the 0.01 grid: where the two lines cross (the marker 分岐).
std::optional<std::int64_t> breakEvenHundredths(const core::ChartState& s);

// The least profit the readout must show for the profit after tax to be at least `target`: the
// target itself when it is 0 or a loss (a loss is untaxed); nothing when no profit gets there
// (a tax of 100 %) or it lies beyond any amount the program holds.
std::optional<std::int64_t> profitNeeded(const core::ChartState& s, std::int64_t target);

// A price answer on both grids: the orderable one the figure names, and the 0.01-grid one where
// the chart's lines cross (its marker).
struct PriceAnswer {
  std::optional<std::int64_t> orderable, hundredths;
};
PriceAnswer breakEvenPrices(const core::ChartState& s);
// For the target after tax the state holds; nothing on either grid without one.
PriceAnswer targetPrices(const core::ChartState& s);

// The buy fee plus the sell fee of the trade held.
core::Decimal roundTripFees(const core::ChartState& s);

// The shown profit less the tax on it: the profit x rate / 100, rounded down to whole yen, when
// the readout shows a profit; a loss or zero is untaxed.
core::Decimal profitAfterTax(const core::ChartState& s);

// The shown profit as a percentage of the buy settlement amount (as its label shows it), in
// hundredths of a percent, halves away from zero; nothing where the amount is 0 or less.
std::optional<std::int64_t> returnHundredths(const core::ChartState& s);

// Everything the figures show, computed once per change of the trade.
struct TradeFigures {
  PriceAnswer breakEven, target;
  core::Decimal fees, afterTax, profit;
  std::optional<std::int64_t> returnHundredths;
};
TradeFigures tradeFigures(const core::ChartState& s);

// One figure's value: its text after the caption (「1,245円（1,244.50）」, 「0.44%」, 「—」) and
// the number it stands for, plain, when it has one (1245, 0.44).
struct FigureValue {
  std::string text;
  std::optional<core::Decimal> number;
};

// The figures beside the readout, one row each, in the order they stand: the label's object
// name, its caption, and how its value is computed. A figure is added here and nowhere else;
// each label's text (and accessible name) is its caption, a space and its value.
struct FigureRow {
  const char* name;
  const char* caption;
  FigureValue (*value)(const core::ChartState& s, const TradeFigures& f);
};
const std::vector<FigureRow>& figureTable();

// A figure's text: its caption and value, or its caption and 「—」 when the trade is not known
// (a field not taken).
std::string figureText(const FigureRow& row, const core::ChartState& s,
                       const std::optional<TradeFigures>& known);

// The first three figures' texts by name: 「損益分岐 1,244.50円」「往復手数料 3,150円」
// 「税引後 11,833円」. `breakEven` is breakEvenHundredths(s).
struct FigureTexts {
  std::string breakEven, fees, afterTax;
};
FigureTexts figureTexts(const core::ChartState& s, std::optional<std::int64_t> breakEven);
// The texts when the trade cannot be read (a field not taken).
FigureTexts figureTextsUnknown();

// What a view must show of the trade: the buy, sell, break-even and target prices and both amount
// lines between the lowest and the highest of them, each axis widened by a tenth of its span on
// each side (not below 0 where the trade itself is not). Nothing when the amounts would not be
// finite.
struct TradeExtent {
  double priceLow, priceHigh, amountLow, amountHigh;  // with the margins
  // What must stay in view, without them.
  double contentPriceLow, contentPriceHigh, contentAmountLow, contentAmountHigh;
};
std::optional<TradeExtent> tradeExtent(const core::ChartState& s);

}  // namespace trade
