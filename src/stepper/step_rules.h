#pragma once
// One step of a step button, as plain arithmetic on the field's text: read the value as the field
// reads it (leniently only where the field refuses the text), test the button's one-sided limit
// before stepping, compute the new value in double precision and write its text. A refused step
// gives no text; the field is then left alone.
//
// The steps and limits are the settings' (StepSetting): "<" and "<<" step only from the lowest
// value plus their own step up, ">" and ">>" only up to the highest value minus their own step.
// The limits are not clamps: a value outside them can only move back toward them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/trade_settings.h"

namespace stepper {

// The four buttons of a row, left to right.
enum class Button { BigDown, SmallDown, SmallUp, BigUp };  // "<<", "<", ">", ">>"

// What a button adds to its field's value: the row's step or large step, signed. For a price row
// in yen (the setting holds hundredths), for a quantity row in shares.
double priceStepOf(const core::StepSetting& hundredths, Button button);
double quantityStepOf(const core::StepSetting& shares, Button button);

// The "0.00" text after the step, or nothing when the limit refuses it. The limits are the
// doubles nearest their decimal values, so a field reading exactly the limit steps.
std::optional<std::string> stepPrice(std::string_view fieldText,
                                     const core::StepSetting& hundredths, Button button);

// A price button of the settings: with a tick table, ">" moves to the next price on the tick grid
// above the value (from a value off the grid, the next grid price above it), "<" to the grid
// price below, ">>" and "<<" ten ticks, crossing bands tick by tick; ">" is taken when the new
// price is at most the highest, "<" when it is at least the lowest. With fixed steps as above.
// The text has the decimals the settings' finest step needs ("2910", "198.4", "0.00" built in).
std::optional<std::string> stepPrice(std::string_view fieldText,
                                     const core::TradeSettings& settings, Button button);

// The plain text (up to 15 digits) after the step, or nothing when the limit refuses it. A
// decreasing button compares in double precision; an increasing one compares in single precision,
// as the quantity itself is kept.
std::optional<std::string> stepQuantity(std::string_view fieldText, const core::StepSetting& shares,
                                        Button button);

// The button's tool tip: its signed step ("-10000", "+0.01").
std::string priceTip(const core::StepSetting& hundredths, Button button);
std::string quantityTip(const core::StepSetting& shares, Button button);
// With a tick table the price buttons' tips count ticks ("+1呼値", "-10呼値").
std::string priceTip(const core::TradeSettings& settings, Button button);

// The repeat counter after one more tick. It stops at its largest value instead of wrapping to a
// negative count; only 0, 1 and "2 or more" mean anything, so a hold of any length stays fast.
std::int16_t nextRepeatCount(std::int16_t count);

}  // namespace stepper
