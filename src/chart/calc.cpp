#include "chart/calc.h"

#include "core/number_text.h"

namespace Calc {
std::string FormatAmount(const std::string& text) {
  const auto value = numtext::readStrict(text);
  return value ? numtext::formatGrouped(*value) : text;
}
}  // namespace Calc
