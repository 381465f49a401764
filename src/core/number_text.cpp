#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "core/decimal.h"
#include "core/single.h"

namespace core {
namespace {

// Full-width characters typed with a Japanese input method are read as their ASCII
// counterparts. Every other character is kept byte for byte; any non-ASCII byte left over can
// never be part of a number, so it makes strict reading fail and stops lenient reading.
std::string toAscii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::size_t i = 0;
  while (i < text.size()) {
    if (i + 2 < text.size()) {
      const unsigned b0 = byte(i), b1 = byte(i + 1), b2 = byte(i + 2);
      char mapped = 0;
      if (b0 == 0xEF && b1 == 0xBC) {  // U+FF00..U+FF3F
        if (b2 >= 0x90 && b2 <= 0x99) {
          mapped = static_cast<char>('0' + (b2 - 0x90));  // ０..９
        } else if (b2 == 0x8E) {
          mapped = '.';  // ．
        } else if (b2 == 0x8C) {
          mapped = ',';  // ，
        } else if (b2 == 0x8B) {
          mapped = '+';  // ＋
        } else if (b2 == 0x8D) {
          mapped = '-';  // －
        } else if (b2 == 0xA5) {
          mapped = 'E';  // Ｅ
        }
      } else if (b0 == 0xEF && b1 == 0xBD && b2 == 0x85) {
        mapped = 'e';  // ｅ
      } else if (b0 == 0xE2 && b1 == 0x88 && b2 == 0x92) {
        mapped = '-';  // − (minus sign)
      } else if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) {
        mapped = ' ';  // ideographic space
      }
      if (mapped != 0) {
        out.push_back(mapped);
        i += 3;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Converts a well-formed number text (optional '-', digits, optional '.' and digits, optional
// exponent; no '+' in front, no grouping) to a double without looking at the process locale.
// Overflow gives nullopt; a value too small for a double becomes a signed zero, as a text like
// "1e-400" names a perfectly ordinary (tiny) amount.
std::optional<double> convert(std::string_view s) {
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc() && ptr == s.data() + s.size()) {
    if (!std::isfinite(value)) return std::nullopt;
    return value;
  }
  if (ec != std::errc::result_out_of_range) return std::nullopt;

  // Out of range: tell overflow from underflow by the decimal order of magnitude.
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) ++i;
  // The mantissa lies in [10^(order-1), 10^order): count the integer digits from the first
  // non-zero one, or, without any, the zeros that open the fraction (negatively).
  long long order = 0;
  bool seenPoint = false, seenNonZero = false;
  for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
    if (s[i] == '.') {
      seenPoint = true;
    } else if (!seenPoint) {
      if (seenNonZero || s[i] != '0') {
        seenNonZero = true;
        ++order;
      }
    } else if (!seenNonZero) {
      if (s[i] != '0') {
        seenNonZero = true;
      } else {
        --order;
      }
    }
  }
  long long exponent = 0;
  if (i < s.size()) {
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    for (; i < s.size(); ++i) {
      if (exponent < 1'000'000'000'000LL) exponent = exponent * 10 + (s[i] - '0');
    }
    if (expNegative) exponent = -exponent;
  }
  if (order + exponent > 0) return std::nullopt;
  return negative ? -0.0 : 0.0;
}

// Writes `value` like printf("%.<digits>G") in the "C" locale, then drops what a person would
// not write: a minus on zero. (%G already trims trailing zeros and a bare point.)
std::string generalText(double value, int digits) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  if (text == "-0") text = "0";
  return text;
}

// The decimal a person reads for `value`: its 15 significant digits, exactly. The patterns round
// this text rather than the binary value, so 1.005 gives "1.01", as the screen promises. NaN
// reads as 0, and an infinity (callers never pass one) as the largest finite double, so no
// "inf"/"nan" text ever reaches the screen.
core::Decimal fifteenDigits(double value) {
  if (std::isnan(value)) return core::Decimal();
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
  // "d.dddddddddddddde±XX": exactly 15 significant digits, correctly rounded.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePos = sci.find('e');
  std::string digits(1, sci[0]);
  digits.append(sci.substr(2, ePos - 2));
  const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
  return core::Decimal::fromDigits(std::signbit(value), std::move(digits), exponent - 14);
}

}  // namespace

std::string groupDigits(const std::string& integer) {
  std::string out;
  out.reserve(integer.size() + integer.size() / 3);
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(integer[i]);
  }
  return out;
}

std::optional<std::string> strictNumber(std::string_view text) {
  const std::string s = toAscii(text);
  std::size_t begin = 0, end = s.size();
  while (begin < end && isBlank(s[begin])) ++begin;
  while (end > begin && isBlank(s[end - 1])) --end;

  std::string clean;  // what from_chars gets: no '+', no grouping commas
  std::size_t i = begin;
  if (i < end && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') clean.push_back('-');
    ++i;
  }
  // Integer digits. A comma groups digits only where a digit precedes it and exactly three
  // digits follow it: "35,5" written with a decimal comma must not become 355.
  std::size_t mantissaDigits = 0;
  while (i < end && (isDigit(s[i]) || s[i] == ',')) {
    if (s[i] == ',') {
      const bool threeDigits = i + 3 < end && isDigit(s[i + 1]) && isDigit(s[i + 2]) &&
                               isDigit(s[i + 3]) && (i + 4 == end || !isDigit(s[i + 4]));
      if (!threeDigits || clean.empty() || !isDigit(clean.back())) return std::nullopt;
    } else {
      clean.push_back(s[i]);
      ++mantissaDigits;
    }
    ++i;
  }
  if (i < end && s[i] == '.') {
    clean.push_back('.');
    ++i;
    while (i < end && isDigit(s[i])) {
      clean.push_back(s[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < end && (s[i] == 'e' || s[i] == 'E')) {
    clean.push_back('e');
    ++i;
    if (i < end && (s[i] == '+' || s[i] == '-')) clean.push_back(s[i++]);
    std::size_t expDigits = 0;
    while (i < end && isDigit(s[i])) {
      clean.push_back(s[i++]);
      ++expDigits;
    }
    if (expDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  return clean;
}

std::optional<double> readStrict(std::string_view text) {
  const std::optional<std::string> number = strictNumber(text);
  if (!number) return std::nullopt;
  return convert(*number);
}

std::optional<float> readStrictFloat(std::string_view text) {
  const std::optional<double> value = readStrict(text);
  if (!value) return std::nullopt;
  const float single = toSingle(*value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

double readLenient(std::string_view text) {
  const std::string s = toAscii(text);
  std::size_t i = 0;
  while (i < s.size() && isBlank(s[i])) ++i;

  std::string clean;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') clean.push_back('-');
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < s.size() && isDigit(s[i])) {
    clean.push_back(s[i++]);
    ++mantissaDigits;
  }
  if (i < s.size() && s[i] == '.') {
    clean.push_back('.');
    ++i;
    while (i < s.size() && isDigit(s[i])) {
      clean.push_back(s[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return 0.0;
  // The exponent only counts when at least one digit follows it ("1e" reads 1).
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      clean.push_back('e');
      clean.append(s, i + 1, j - i - 1);
      while (j < s.size() && isDigit(s[j])) clean.push_back(s[j++]);
    }
  }
  return convert(clean).value_or(0.0);
}

// Callers never pass non-finite values; should one slip through, NaN is written as "0" and an
// infinity as the largest finite float, so no "inf"/"nan" text ever reaches the screen.
std::string plainFloat(float value) {
  if (std::isnan(value)) return "0";
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);
  return generalText(static_cast<double>(value), 7);
}

// Same handling of non-finite values as plainFloat, with the largest finite double.
std::string plainDouble(double value) {
  if (std::isnan(value)) return "0";
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
  return generalText(value, 15);
}

std::string format0_00(double value) { return core::fixedText(fifteenDigits(value), 2); }

std::string formatGrouped(double value) { return core::groupedText(fifteenDigits(value)); }

}  // namespace core
