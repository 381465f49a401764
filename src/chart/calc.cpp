#include "chart/calc.h"

#include <cstddef>

#include "core/decimal.h"
#include "core/number_text.h"

namespace chart {
std::string FormatAmount(const std::string& text) {
  const auto value = core::readStrict(text);
  return value ? core::formatGrouped(*value) : text;
}

std::string FormatAmountIn(const std::string& text, int power) {
  const auto value = core::readExact(text);
  if (!value) return text;
  // Whole yen first, as the yen labels round, then the decimal point moved: nothing is lost.
  const core::Decimal whole = core::wholeYen({*value});
  const std::string plain = core::plainText(
      core::Decimal::fromDigits(whole.sign() < 0, whole.digits(), whole.exponent() - power));
  const std::size_t begin = plain[0] == '-' ? 1 : 0;
  const std::size_t point = plain.find('.');
  const std::size_t end = point == std::string::npos ? plain.size() : point;
  return plain.substr(0, begin) + core::groupDigits(plain.substr(begin, end - begin)) +
         plain.substr(end);
}
}  // namespace chart
