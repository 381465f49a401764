#pragma once
// Exact decimal numbers, for the money a user reads.
//
// The chart works in single precision, but the amount labels and the profit/loss readout show
// whole yen of amounts that run to 20 digits and more (99,999,999,999 shares at 99.99). Those
// texts are computed digit for digit from what the fields hold and rounded to whole yen once, at
// the end, halves away from zero.
//
// A Decimal holds every number a field takes, exactly. readExact refuses only:
//  - a magnitude of 1e40 or more (a field never takes more than the float range, about 3.4e38);
//  - more than 40000 significant digits (a field holds at most 32767 characters), which keeps
//    a product to a fraction of a second;
//  - a nonzero value whose written exponent goes beyond 10^15 either way.
// A tiny value (1e-400, 1e-999999999) is kept as its digits and a power of ten and is never
// written out, so no sum costs more memory or time than the significant digits of its terms.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// An exact decimal number: (minus) digits x 10^exponent.
class Decimal {
 public:
  Decimal() = default;  // zero
  explicit Decimal(long long integer);
  // Strips leading and trailing zeros (moving the latter into the exponent); zero has no sign.
  static Decimal fromDigits(bool negative, std::string digits, std::int64_t exponent);

  int sign() const { return digits_.empty() ? 0 : negative_ ? -1 : 1; }
  const std::string& digits() const { return digits_; }  // no leading or trailing '0'; "" for 0
  std::int64_t exponent() const { return exponent_; }

  Decimal operator-() const;
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  bool operator==(const Decimal&) const = default;

 private:
  bool negative_ = false;
  std::string digits_;
  std::int64_t exponent_ = 0;
};

// The number in a field text, read as the strict reading reads it (core::strictNumber), but
// digit for digit. Nothing when the text is not a number or lies outside the bounds above.
std::optional<Decimal> readExact(std::string_view text);
// A float's value, exactly (every float is a finite decimal fraction). NaN and infinities give 0.
Decimal fromFloat(float value);
// Plain text with no exponent and no grouping ("-1234.5", "0.001"), and the same rounded to a
// number of decimals, halves away from zero ("0.00" pattern for 2).
std::string plainText(const Decimal& value);
std::string fixedText(const Decimal& value, int decimals);

// The sum of the terms, rounded once to whole yen, halves away from zero.
Decimal wholeYen(std::vector<Decimal> terms);

// The whole part, toward zero (a tax is rounded down), and the largest whole number not above
// the value (a percentage fee is rounded down).
Decimal wholeTowardZero(const Decimal& value);
Decimal wholeDown(const Decimal& value);

// -1, 0 or 1 as a is below, equal to or above b; digit for digit, however far apart their
// exponents lie.
int compare(const Decimal& a, const Decimal& b);

// An amount rounded to whole yen in the patterns "#,##0" (-3150 -> "-3,150") and "\\#,##0"
// (1525 -> "\1,525", -25 -> "-\25"). An amount that rounds to zero is written without a minus.
std::string groupedText(const Decimal& amount);
std::string yenText(const Decimal& amount);
// The pattern "#,##0.00": grouped, rounded to two decimals, halves away from zero.
std::string groupedCentsText(const Decimal& value);

}  // namespace core
