#pragma once
// Which texts of the three entry fields the trade takes.
//
// A field's text is taken when it is a number (full-width digits, point and minus read as
// ordinary ones) and every amount the program goes on to compute from it stays finite in single
// precision. Otherwise the state keeps its last good value and the field shows that its text is
// not taken. Negative, zero and very large prices are numbers like any other and are taken; a
// quantity must be above zero.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/chart_state.h"
#include "trade/markers.h"

namespace trade {

// The exact value of a field text the reading below has taken as `taken` (the same number, digit
// for digit; a text too long to hold exactly counts as the float it was taken as).
core::Decimal exactValue(std::string_view text, float taken);

// The price in the side's field text, or nothing when the text is not taken: not a number, or
// the side's settlement amount (quantity * price -/+ fee) would not be finite as a float.
std::optional<float> acceptPrice(const core::ChartState& s, Side side, std::string_view text);

// The quantity in the field text, or nothing when the text is not taken: not a number, not above
// zero, or an amount the redraw computes from it would not be finite as a float: either side's
// settlement amount at its held price, or the amount-line value (quantity * price) at either end
// of the visible price range.
std::optional<float> acceptQuantity(const core::ChartState& s, std::string_view text);

// The target field (目標（税引後）): empty (blanks only) means no target; otherwise whole yen of
// either sign, up to 10^15, written as the other fields are. Nothing when the text is not taken.
struct TargetEntry {
  std::optional<std::int64_t> yen;  // none: no target
};
std::optional<TargetEntry> acceptTarget(std::string_view text);

}  // namespace trade
