#pragma once
// One step of a step button, as plain arithmetic on the field's text: read the value as the field
// reads it (leniently only where the field refuses the text), test the button's one-sided limit
// before stepping, compute the new value in double precision and write its text. A refused step
// gives no text; the field is then left alone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace steprules {

// A price button: what it adds, and the value the field may not be beyond for the step to be made
// (the lowest value a decreasing button steps from, the highest an increasing one steps from).
// The limits are not clamps: a value outside them can only move back toward them.
struct PriceStep {
  double step;
  double limit;
};
inline constexpr PriceStep kPriceDown1{-1.0, 1.01};      // "<<"
inline constexpr PriceStep kPriceDownCent{-0.01, 0.02};  // "<"
inline constexpr PriceStep kPriceUpCent{0.01, 99.98};    // ">"
inline constexpr PriceStep kPriceUp1{1.0, 98.99};        // ">>"

// The "0.00" text after the step, or nothing when the limit refuses it.
std::optional<std::string> stepPrice(std::string_view fieldText, PriceStep button);

// A quantity button. A decreasing one steps only from `floor` up (compared in double precision);
// an increasing one only while its value is no more than `quantityMax - headroom`, compared in
// single precision as the quantity itself is kept.
struct QuantityStep {
  double step;
  double floor;     // decreasing buttons
  double headroom;  // increasing buttons
};
inline constexpr QuantityStep kQuantityDown10000{-10000.0, 11000.0, 0.0};  // "<<"
inline constexpr QuantityStep kQuantityDown1000{-1000.0, 2000.0, 0.0};     // "<"
inline constexpr QuantityStep kQuantityUp1000{1000.0, 0.0, 1000.0};        // ">"
inline constexpr QuantityStep kQuantityUp10000{10000.0, 0.0, 10000.0};     // ">>"

// The plain text (up to 15 digits) after the step, or nothing when the limit refuses it.
std::optional<std::string> stepQuantity(std::string_view fieldText, QuantityStep button,
                                        float quantityMax);

// The repeat counter after one more tick. It stops at its largest value instead of wrapping to a
// negative count; only 0, 1 and "2 or more" mean anything, so a hold of any length stays fast.
std::int16_t nextRepeatCount(std::int16_t count);

}  // namespace steprules
