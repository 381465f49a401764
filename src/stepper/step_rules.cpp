#include "stepper/step_rules.h"

#include <cmath>
#include <limits>

#include "app/number_text.h"

namespace steprules {
namespace {

// The value rounded to single precision, as the hardware would round it, including the
// overflow to an infinity for values beyond the float range (a plain cast would be undefined
// there). A field reading 1e300 is thus far above any quantity limit.
float toSingle(double value) {
  constexpr double kRoundsToInfinity = 0x1.ffffffp+127;  // FLT_MAX plus half its last step
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  constexpr float kMax = std::numeric_limits<float>::max();
  const double magnitude = std::fabs(value);
  if (magnitude >= kRoundsToInfinity) return value > 0 ? kInfinity : -kInfinity;
  if (magnitude > kMax) return value > 0 ? kMax : -kMax;
  return static_cast<float>(value);
}

}  // namespace

std::optional<std::string> stepPrice(std::string_view fieldText, PriceStep button) {
  const double v = numtext::readLenient(fieldText);
  const bool allowed = button.step < 0 ? v >= button.limit : v <= button.limit;
  if (!allowed) return std::nullopt;
  // format0_00 rounds the sum's 15-digit text, not its binary value: a field reading "1.005"
  // steps up to "2.01", as the text on screen promises, although 2.005 is stored just below it.
  return numtext::format0_00(v + button.step);
}

std::optional<std::string> stepQuantity(std::string_view fieldText, QuantityStep button,
                                        float quantityMax) {
  const double v = numtext::readLenient(fieldText);
  bool allowed;
  if (button.step < 0) {
    allowed = v >= button.floor;
  } else {
    const float ceiling = toSingle(static_cast<double>(quantityMax) - button.headroom);
    allowed = ceiling >= toSingle(v);
  }
  if (!allowed) return std::nullopt;
  // From v itself, not from its single-precision rounding: 1234.5 steps to 2234.5.
  return numtext::plainDouble(v + button.step);
}

std::int16_t nextRepeatCount(std::int16_t count) {
  if (count == std::numeric_limits<std::int16_t>::max()) return count;
  return static_cast<std::int16_t>(count + 1);
}

}  // namespace steprules
