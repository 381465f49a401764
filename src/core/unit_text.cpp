#include "core/unit_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#include "core/decimal.h"
#include "core/number_text.h"

namespace core {

namespace {
constexpr std::size_t kMaxUnitDigits = 18;  // every 18-digit count fits an int64
}  // namespace

Units readUnits(std::string_view text, int decimals) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) return {0, UnitFault::Empty};
  if (!core::strictNumber(text)) return {0, UnitFault::NotANumber};
  // A number the exact reading refuses lies beyond 1e40 or has an exponent beyond 10^15 either
  // way: too large, or a fraction far finer than any unit.
  const std::optional<core::Decimal> read = core::readExact(text);
  if (!read) return {0, UnitFault::TooLarge};
  if (read->sign() == 0) return {0, std::nullopt};
  const std::int64_t shift = read->exponent() + decimals;  // zeros after the digits, in units
  if (shift < 0) return {0, UnitFault::TooManyDecimals};
  if (read->digits().size() + static_cast<std::size_t>(shift) > kMaxUnitDigits)
    return {0, UnitFault::TooLarge};
  std::int64_t units = 0;
  for (char digit : read->digits()) units = units * 10 + (digit - '0');
  for (std::int64_t k = 0; k < shift; ++k) units *= 10;
  return {read->sign() < 0 ? -units : units, std::nullopt};
}

Units readUnits(double value, int decimals) {
  if (!std::isfinite(value)) return {0, UnitFault::NotANumber};
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (result.ec != std::errc()) return {0, UnitFault::NotANumber};
  return readUnits(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
                   decimals);
}

std::string unitsText(std::int64_t units, int decimals) {
  const bool negative = units < 0;
  std::string digits = std::to_string(units);
  if (negative) digits.erase(0, 1);
  if (digits.size() <= static_cast<std::size_t>(decimals))
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(whole.size());
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string text = (negative ? "-" : "") + core::groupDigits(whole);
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

std::string faultText(UnitFault fault, int decimals) {
  switch (fault) {
    case UnitFault::Empty:
      return "入力してください";
    case UnitFault::NotANumber:
      return "数値ではありません";
    case UnitFault::TooManyDecimals:
      return decimals == 0 ? "整数にしてください"
                           : "小数は" + std::to_string(decimals) + "桁までにしてください";
    case UnitFault::TooLarge:
      break;
  }
  return "大きすぎます";
}

}  // namespace core
