#include "stepper/step_rules.h"

#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "core/price_grid.h"
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

// Beyond this many yen a value is not stepped along a tick table: far above any limit, and its
// hundredths stay well inside an int64.
constexpr double kMaxTickedYen = 1e15;

// The value's hundredths below and above it (equal on a value of two decimals or fewer: a field
// text reads as the double nearest its decimal, which is the double nearest hundredths / 100).
struct Bracket {
  std::int64_t floor, ceil;
};
Bracket hundredthsAround(double v) {
  const double scaled = v * 100.0;
  const auto nearest = static_cast<std::int64_t>(std::llround(scaled));
  if (static_cast<double>(nearest) / 100.0 == v) return {nearest, nearest};
  const auto floor = static_cast<std::int64_t>(std::floor(scaled));
  return {floor, floor + 1};
}

std::string hundredthsText(std::int64_t k) {
  const std::int64_t magnitude = k < 0 ? -k : k;
  const std::int64_t cents = magnitude % 100;
  return (k < 0 ? "-" : "") + std::to_string(magnitude / 100) + (cents < 10 ? ".0" : ".") +
         std::to_string(cents);
}

std::optional<std::string> stepTicks(double v, const core::TradeSettings& settings, Button button) {
  if (!(std::fabs(v) <= kMaxTickedYen)) return std::nullopt;
  const core::PriceGrid grid(settings);
  const Bracket around = hundredthsAround(v);
  const bool big = button == Button::BigDown || button == Button::BigUp;
  std::int64_t k = increases(button) ? around.floor : around.ceil;
  for (int tick = 0; tick < (big ? 10 : 1); ++tick)
    k = increases(button) ? grid.above(k) : grid.below(k);
  if (increases(button) ? k > settings.price.highest : k < settings.price.lowest)
    return std::nullopt;
  return core::trimPriceText(hundredthsText(k), settings);
}

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

std::optional<std::string> stepPrice(std::string_view fieldText,
                                     const core::TradeSettings& settings, Button button) {
  if (core::tickBands(settings.priceTicks))
    return stepTicks(fieldValue(fieldText), settings, button);
  const auto text = stepPrice(fieldText, settings.price, button);
  if (!text) return text;
  return core::trimPriceText(*text, settings);
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

std::string priceTip(const core::TradeSettings& settings, Button button) {
  if (!core::tickBands(settings.priceTicks)) return priceTip(settings.price, button);
  const bool big = button == Button::BigDown || button == Button::BigUp;
  return std::string(increases(button) ? "+" : "-") + (big ? "10" : "1") + "呼値";
}

std::string quantityTip(const core::StepSetting& shares, Button button) {
  return signedText(quantityStepOf(shares, button));
}

std::int16_t nextRepeatCount(std::int16_t count) {
  if (count == std::numeric_limits<std::int16_t>::max()) return count;
  return static_cast<std::int16_t>(count + 1);
}

}  // namespace stepper
