#pragma once
// The prices an order can be placed at, in integer hundredths of a yen: the multiples of the
// price buttons' small step, or the tick grid of the exchange's tick table (呼値の単位). Every
// computation here is exact integer arithmetic; nothing adds a step to a float.
#include <cstdint>
#include <string>
#include <vector>

#include "core/trade_settings.h"

namespace core {

class PriceGrid {
 public:
  // The grid of the settings' price steps: their tick table, or the multiples of `price.step`.
  explicit PriceGrid(const TradeSettings& settings);
  // Every hundredth: the grid every price text of the program can hold.
  static PriceGrid hundredths();

  // The lowest grid price at or above k, and the highest at or below it.
  std::int64_t atOrAbove(std::int64_t k) const;
  std::int64_t atOrBelow(std::int64_t k) const;
  // The next grid price above k, and the one below it (k itself need not lie on the grid).
  std::int64_t above(std::int64_t k) const { return atOrAbove(k + 1); }
  std::int64_t below(std::int64_t k) const { return atOrBelow(k - 1); }
  bool holds(std::int64_t k) const { return atOrAbove(k) == k; }
  bool isEveryHundredth() const { return bands_.empty() && step_ == 1; }

 private:
  PriceGrid() = default;
  // The band holding k: the first whose upTo is k or more ("up to" includes the border).
  std::size_t bandOf(std::int64_t k) const;
  std::vector<TickBand> bands_;  // empty: the multiples of step_
  std::int64_t step_ = 1;
};

// How many decimals a price text needs for the finest step of the settings: 0 with ticks or steps
// of whole yen, 1 with 0.1, 2 with 0.01 (the built-in settings, whose fields read "0.00").
int priceDecimals(const TradeSettings& settings);

// A price text of two decimals ("198.40", "2910.00") cut to the decimals the settings need where
// it loses nothing: "198.4", "2910". A text with more decimals than that keeps them.
std::string trimPriceText(std::string text, const TradeSettings& settings);

}  // namespace core
