#pragma once
// The trade and its figures as text a spreadsheet pastes: a line of captions and a line of values,
// tab-separated.
#include <optional>
#include <string>

#include "core/chart_state.h"
#include "trade/figures.h"

namespace trade {

// 「数量」「買付単価」「売却単価」「損益」, then the figures of figureTable() in their order; the
// values as plain numbers (no grouping, no 円 or %, a '.' for decimals, '-' for a loss), 「—」
// where a figure has no answer. A price answer writes its orderable price, the one an order is
// placed at (the 0.01-grid answer in brackets is left out). `known` is the figures shown, nothing
// when a field is not taken: then every value is 「—」, as the figures say. Each line ends with
// a newline.
std::string figuresAsText(const core::ChartState& s, const std::optional<TradeFigures>& known);

}  // namespace trade
