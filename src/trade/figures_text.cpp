#include "trade/figures_text.h"

#include <string>
#include <vector>

#include "core/decimal.h"

namespace trade {

std::string figuresAsText(const core::ChartState& s, const std::optional<TradeFigures>& known) {
  std::vector<std::pair<std::string, std::string>> cells = {
      {"数量", core::plainText(s.quantityDecimal)},
      {"買付単価", core::plainText(s.buyPriceDecimal)},
      {"売却単価", core::plainText(s.sellPriceDecimal)},
      {"損益", known ? core::plainText(known->profit) : "—"}};
  for (const FigureRow& row : figureTable()) {
    std::optional<core::Decimal> number;
    if (known) number = row.value(s, *known).number;
    cells.emplace_back(row.caption, number ? core::plainText(*number) : "—");
  }
  std::string captions, values;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const char* gap = i == 0 ? "" : "\t";
    captions += gap + cells[i].first;
    values += gap + (known ? cells[i].second : "—");
  }
  return captions + "\n" + values + "\n";
}

}  // namespace trade
