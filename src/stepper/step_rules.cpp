#include "stepper/step_rules.h"

#include <limits>

#include "core/number_text.h"
#include "core/single.h"

namespace steprules {

namespace {

// The value the field shows, read the way the field itself reads it (so "10,000" and full-width
// digits count whole), and the leading number only when the field would refuse the text.
double fieldValue(std::string_view fieldText) {
  if (const auto value = numtext::readStrict(fieldText)) return *value;
  return numtext::readLenient(fieldText);
}

}  // namespace

std::optional<std::string> stepPrice(std::string_view fieldText, PriceStep button) {
  const double v = fieldValue(fieldText);
  const bool allowed = button.step < 0 ? v >= button.limit : v <= button.limit;
  if (!allowed) return std::nullopt;
  // format0_00 rounds the sum's 15-digit text, not its binary value: a field reading "1.005"
  // steps up to "2.01", as the text on screen promises, although 2.005 is stored just below it.
  return numtext::format0_00(v + button.step);
}

std::optional<std::string> stepQuantity(std::string_view fieldText, QuantityStep button,
                                        float quantityMax) {
  const double v = fieldValue(fieldText);
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
