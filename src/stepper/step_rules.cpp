#include "stepper/step_rules.h"

#include <limits>

#include "core/number_text.h"
#include "core/single.h"

namespace stepper {

namespace {

// The value the field shows, read the way the field itself reads it (so "10,000" and full-width
// digits count whole), and the leading number only when the field would refuse the text.
double fieldValue(std::string_view fieldText) {
  if (const auto value = core::readStrict(fieldText)) return *value;
  return core::readLenient(fieldText);
}

bool increases(Button button) { return button == Button::SmallUp || button == Button::BigUp; }

// The row's step for the button, signed, in the setting's whole units.
std::int64_t unitsOf(const core::StepSetting& row, Button button) {
  const bool big = button == Button::BigDown || button == Button::BigUp;
  const std::int64_t step = big ? row.bigStep : row.step;
  return increases(button) ? step : -step;
}

// The value a button may not be beyond for its step to be made, in the setting's units: the
// lowest value plus the step for a decreasing button, the highest minus it for an increasing one.
std::int64_t limitOf(const core::StepSetting& row, Button button) {
  const std::int64_t step = unitsOf(row, button);
  return increases(button) ? row.highest - step : row.lowest - step;
}

// Hundredths to yen: the quotient of two exact doubles is the double nearest the decimal.
double yen(std::int64_t hundredths) { return static_cast<double>(hundredths) / 100.0; }

std::string signedText(double step) { return (step < 0 ? "" : "+") + core::plainDouble(step); }

}  // namespace

double priceStepOf(const core::StepSetting& hundredths, Button button) {
  return yen(unitsOf(hundredths, button));
}

double quantityStepOf(const core::StepSetting& shares, Button button) {
  return static_cast<double>(unitsOf(shares, button));
}

std::optional<std::string> stepPrice(std::string_view fieldText,
                                     const core::StepSetting& hundredths, Button button) {
  const double v = fieldValue(fieldText);
  const double limit = yen(limitOf(hundredths, button));
  if (!(increases(button) ? v <= limit : v >= limit)) return std::nullopt;
  // format0_00 rounds the sum's 15-digit text, not its binary value: a field reading "1.005"
  // steps up to "2.01", as the text on screen promises, although 2.005 is stored just below it.
  return core::format0_00(v + priceStepOf(hundredths, button));
}

std::optional<std::string> stepQuantity(std::string_view fieldText, const core::StepSetting& shares,
                                        Button button) {
  const double v = fieldValue(fieldText);
  const double step = quantityStepOf(shares, button);
  bool allowed;
  if (!increases(button)) {
    allowed = v >= static_cast<double>(limitOf(shares, button));
  } else {
    // The highest quantity is kept as a float, and so is its difference to the step.
    const float highest = core::toSingle(static_cast<double>(shares.highest));
    allowed = core::toSingle(static_cast<double>(highest) - step) >= core::toSingle(v);
  }
  if (!allowed) return std::nullopt;
  // From v itself, not from its single-precision rounding: 1234.5 steps to 2234.5.
  return core::plainDouble(v + step);
}

std::string priceTip(const core::StepSetting& hundredths, Button button) {
  return signedText(priceStepOf(hundredths, button));
}

std::string quantityTip(const core::StepSetting& shares, Button button) {
  return signedText(quantityStepOf(shares, button));
}

std::int16_t nextRepeatCount(std::int16_t count) {
  if (count == std::numeric_limits<std::int16_t>::max()) return count;
  return static_cast<std::int16_t>(count + 1);
}

}  // namespace stepper
