#include "chart/calc.h"

#include <cstddef>

#include "core/decimal.h"
#include "core/number_text.h"

namespace Calc {
std::string FormatAmount(const std::string& text) {
  const auto value = numtext::readStrict(text);
  return value ? numtext::formatGrouped(*value) : text;
}

std::string FormatAmountIn(const std::string& text, int power) {
  const auto value = exact::readExact(text);
  if (!value) return text;
  // Whole yen first, as the yen labels round, then the decimal point moved: nothing is lost.
  const exact::Decimal whole = exact::wholeYen({*value});
  const std::string plain = exact::plainText(
      exact::Decimal::fromDigits(whole.sign() < 0, whole.digits(), whole.exponent() - power));
  const std::size_t begin = plain[0] == '-' ? 1 : 0;
  const std::size_t point = plain.find('.');
  const std::size_t end = point == std::string::npos ? plain.size() : point;
  return plain.substr(0, begin) + numtext::groupDigits(plain.substr(begin, end - begin)) +
         plain.substr(end);
}
}  // namespace Calc
