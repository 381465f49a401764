#pragma once
// Money texts computed exactly from the field texts.
//
// The chart works in single precision, but the amount labels and the profit/loss readout show
// whole yen of amounts that run to 20 digits and more (99,999,999,999 shares at 99.99). Those
// texts are computed here digit for digit from what the fields hold and rounded to whole yen
// once, at the end, halves away from zero.
//
// A Decimal holds every number a field takes, exactly. readExact refuses only:
//  - a magnitude of 1e40 or more (a field never takes more than the float range, about 3.4e38);
//  - more than 50000 significant digits (a field holds at most 32767 characters), which keeps
//    a product to a fraction of a second;
//  - a nonzero value whose written exponent goes beyond 10^15 either way.
// A tiny value (1e-400, 1e-999999999) is kept as its digits and a power of ten and is never
// written out, so no sum costs more memory or time than the significant digits of its terms.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trade {

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

// The number in a field text: an optional sign, digits with "," between digit groups, an
// optional "." fraction, an optional exponent ("1E+07"), blanks around; full-width forms as typed
// with a Japanese input method read as their ASCII counterparts. Nothing when the text is not
// such a number or lies outside the bounds above.
std::optional<Decimal> readExact(std::string_view text);

// The sum of the terms, rounded once to whole yen, halves away from zero.
Decimal wholeYen(std::vector<Decimal> terms);

// An amount rounded to whole yen in the patterns "#,##0" (-3150 -> "-3,150") and "\\#,##0"
// (1525 -> "\1,525", -25 -> "-\25"). An amount that rounds to zero is written without a minus.
std::string groupedText(const Decimal& amount);
std::string yenText(const Decimal& amount);

// The settlement amount of one trade as its label shows it: quantity * price plus the fee on a
// buy, minus the fee on a sell, in "\\#,##0".
std::string settlementText(const Decimal& quantity, const Decimal& price, long fee, bool buy);

// The round trip's result: (quantity * sell - sellFee) - (quantity * buy + buyFee), as the
// readout shows it ("#,##0") and the sign of that whole-yen amount (-1, 0, +1) for its colour.
struct ProfitLoss {
  std::string text;
  int sign = 0;
};
ProfitLoss profitLoss(const Decimal& quantity, const Decimal& buyPrice, const Decimal& sellPrice,
                      long buyFee, long sellFee);

}  // namespace trade
