#include "trade/exact_money.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trade {
namespace {

constexpr std::size_t kMaxDigits = 50000;
constexpr std::int64_t kMaxTopPosition = 39;  // the highest digit of a value below 1e40
constexpr std::int64_t kMaxWrittenExponent = 1'000'000'000'000'000;

// Full-width characters typed with a Japanese input method are read as their ASCII
// counterparts. Every other byte is kept; a non-ASCII byte left over can never be part of a
// number, so the reading fails on it.
std::string toAscii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (i + 2 < text.size()) {
      const auto b0 = static_cast<unsigned char>(text[i]);
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      const auto b2 = static_cast<unsigned char>(text[i + 2]);
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

// Position of the highest digit: 0 for units, -1 for tenths. Only for nonzero values.
std::int64_t top(const Decimal& d) {
  return d.exponent() + static_cast<std::int64_t>(d.digits().size()) - 1;
}

// Digit strings of whole numbers, most significant first, in base 10^9 limbs (least significant
// first) and back, so a product takes one step per nine digits.
constexpr std::uint64_t kLimb = 1'000'000'000;

std::vector<std::uint64_t> toLimbs(const std::string& digits) {
  std::vector<std::uint64_t> limbs;
  limbs.reserve(digits.size() / 9 + 1);
  std::size_t end = digits.size();
  while (end > 0) {
    const std::size_t begin = end >= 9 ? end - 9 : 0;
    std::uint64_t limb = 0;
    for (std::size_t i = begin; i < end; ++i)
      limb = limb * 10 + static_cast<unsigned>(digits[i] - '0');
    limbs.push_back(limb);
    end = begin;
  }
  return limbs;
}

std::string fromLimbs(const std::vector<std::uint64_t>& limbs) {
  std::string digits;
  digits.reserve(limbs.size() * 9);
  for (std::size_t i = limbs.size(); i-- > 0;) {
    std::string part = std::to_string(limbs[i]);
    digits.append(9 - part.size(), '0');
    digits += part;
  }
  return digits;  // leading zeros are stripped by Decimal::fromDigits
}

// Magnitudes of whole numbers as digit strings without leading zeros.
int compareMagnitude(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string addMagnitude(const std::string& a, const std::string& b) {
  std::string sum(std::max(a.size(), b.size()) + 1, '0');
  int carry = 0;
  for (std::size_t k = 0; k < sum.size(); ++k) {
    int d = carry;
    if (k < a.size()) d += a[a.size() - 1 - k] - '0';
    if (k < b.size()) d += b[b.size() - 1 - k] - '0';
    sum[sum.size() - 1 - k] = static_cast<char>('0' + d % 10);
    carry = d / 10;
  }
  return sum;
}

// a - b for a >= b.
std::string subtractMagnitude(const std::string& a, const std::string& b) {
  std::string difference = a;
  int borrow = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    int d = (a[a.size() - 1 - k] - '0') - borrow;
    if (k < b.size()) d -= b[b.size() - 1 - k] - '0';
    borrow = d < 0 ? 1 : 0;
    difference[a.size() - 1 - k] = static_cast<char>('0' + d + 10 * borrow);
  }
  return difference;
}

// a + b, digit for digit. Writes out every position between the two values' lowest and highest
// digits, so the caller keeps that span small (see wholeYen).
Decimal add(const Decimal& a, const Decimal& b) {
  if (a.sign() == 0) return b;
  if (b.sign() == 0) return a;
  const std::int64_t exponent = std::min(a.exponent(), b.exponent());
  const std::string x =
      a.digits() + std::string(static_cast<std::size_t>(a.exponent() - exponent), '0');
  const std::string y =
      b.digits() + std::string(static_cast<std::size_t>(b.exponent() - exponent), '0');
  if (a.sign() == b.sign()) return Decimal::fromDigits(a.sign() < 0, addMagnitude(x, y), exponent);
  const int order = compareMagnitude(x, y);
  if (order == 0) return Decimal();
  if (order > 0) return Decimal::fromDigits(a.sign() < 0, subtractMagnitude(x, y), exponent);
  return Decimal::fromDigits(b.sign() < 0, subtractMagnitude(y, x), exponent);
}

// To the nearest whole number, halves away from zero.
Decimal roundWhole(const Decimal& d) {
  if (d.exponent() >= 0) return d;
  const std::int64_t integerLength = static_cast<std::int64_t>(d.digits().size()) + d.exponent();
  std::string integer;
  char firstFraction = '0';
  if (integerLength >= 0) {
    integer = d.digits().substr(0, static_cast<std::size_t>(integerLength));
    firstFraction = d.digits()[static_cast<std::size_t>(integerLength)];
  }
  if (firstFraction >= '5') integer = addMagnitude(integer, "1");
  return Decimal::fromDigits(d.sign() < 0, std::move(integer), 0);
}

// The digits of a whole number's magnitude, "0" for zero, with "," between groups of three.
std::string groupedMagnitude(const Decimal& whole) {
  if (whole.sign() == 0) return "0";
  const std::string integer =
      whole.digits() + std::string(static_cast<std::size_t>(whole.exponent()), '0');
  std::string out;
  out.reserve(integer.size() + integer.size() / 3);
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(integer[i]);
  }
  return out;
}

}  // namespace

Decimal::Decimal(long long integer) {
  const unsigned long long magnitude = integer < 0 ? 0ULL - static_cast<unsigned long long>(integer)
                                                   : static_cast<unsigned long long>(integer);
  *this = fromDigits(integer < 0, std::to_string(magnitude), 0);
}

Decimal Decimal::fromDigits(bool negative, std::string digits, std::int64_t exponent) {
  Decimal d;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return d;
  const std::size_t last = digits.find_last_not_of('0');
  d.negative_ = negative;
  d.exponent_ = exponent + static_cast<std::int64_t>(digits.size() - 1 - last);
  digits.resize(last + 1);
  digits.erase(0, first);
  d.digits_ = std::move(digits);
  return d;
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  if (!d.digits_.empty()) d.negative_ = !d.negative_;
  return d;
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  if (a.sign() == 0 || b.sign() == 0) return Decimal();
  const std::vector<std::uint64_t> x = toLimbs(a.digits_), y = toLimbs(b.digits_);
  std::vector<std::uint64_t> product(x.size() + y.size(), 0);
  for (std::size_t i = 0; i < x.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < y.size(); ++j) {
      const std::uint64_t current = product[i + j] + x[i] * y[j] + carry;
      product[i + j] = current % kLimb;
      carry = current / kLimb;
    }
    product[i + y.size()] += carry;
  }
  return Decimal::fromDigits(a.negative_ != b.negative_, fromLimbs(product),
                             a.exponent_ + b.exponent_);
}

std::optional<Decimal> readExact(std::string_view text) {
  const std::string s = toAscii(text);
  std::size_t i = 0, end = s.size();
  while (i < end && isBlank(s[i])) ++i;
  while (end > i && isBlank(s[end - 1])) --end;

  bool negative = false;
  if (i < end && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string mantissa;
  // Integer digits; a comma must sit between two digits.
  while (i < end && (isDigit(s[i]) || s[i] == ',')) {
    if (s[i] == ',') {
      if (mantissa.empty() || i + 1 >= end || !isDigit(s[i + 1])) {
        return std::nullopt;
      }
    } else {
      mantissa.push_back(s[i]);
    }
    ++i;
  }
  std::int64_t exponent = 0;  // of the mantissa's last digit
  if (i < end && s[i] == '.') {
    ++i;
    while (i < end && isDigit(s[i])) {
      mantissa.push_back(s[i++]);
      --exponent;
    }
  }
  if (mantissa.empty()) return std::nullopt;
  std::int64_t written = 0;  // the written exponent, held just past its bound once beyond it
  if (i < end && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool writtenNegative = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) writtenNegative = s[i++] == '-';
    const std::size_t digitsBegin = i;
    while (i < end && isDigit(s[i])) {
      written = std::min(written * 10 + (s[i++] - '0'), kMaxWrittenExponent + 1);
    }
    if (i == digitsBegin) return std::nullopt;
    if (writtenNegative) written = -written;
  }
  if (i != end) return std::nullopt;

  const Decimal value = Decimal::fromDigits(negative, std::move(mantissa), exponent + written);
  if (value.sign() == 0) return value;
  if (written > kMaxWrittenExponent || written < -kMaxWrittenExponent) return std::nullopt;
  if (value.digits().size() > kMaxDigits || top(value) > kMaxTopPosition) return std::nullopt;
  return value;
}

// Adding the terms digit for digit would write out every position from the highest digit down to
// the lowest, which for 0.5 + 1e-999999999 is a billion digits. But the rounded sum only needs
// each partial sum to the precision the rest of the sum and the rounding can see: going from the
// smallest terms to the largest, once the partial sum lies wholly below every digit still to come
// (and below the tenths, where the halves are), only its sign can still matter, and it is
// replaced by one unit just below those digits. The exact and the replaced sum then fall between
// the same two neighbouring multiples of that last position and round the same way.
Decimal wholeYen(std::vector<Decimal> terms) {
  std::erase_if(terms, [](const Decimal& t) { return t.sign() == 0; });
  std::sort(terms.begin(), terms.end(),
            [](const Decimal& a, const Decimal& b) { return top(a) < top(b); });
  Decimal sum;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    std::int64_t lowest = -1;  // the tenths
    for (std::size_t j = i; j < terms.size(); ++j) lowest = std::min(lowest, terms[j].exponent());
    if (sum.sign() != 0 && top(sum) < lowest - 1) {
      sum = Decimal::fromDigits(sum.sign() < 0, "1", lowest - 1);
    }
    sum = add(sum, terms[i]);
  }
  return roundWhole(sum);
}

std::string groupedText(const Decimal& amount) {
  const Decimal whole = roundWhole(amount);
  return (whole.sign() < 0 ? "-" : "") + groupedMagnitude(whole);
}

std::string yenText(const Decimal& amount) {
  const Decimal whole = roundWhole(amount);
  return (whole.sign() < 0 ? "-\\" : "\\") + groupedMagnitude(whole);
}

std::string settlementText(const Decimal& quantity, const Decimal& price, long fee, bool buy) {
  const Decimal signedFee = buy ? Decimal(fee) : -Decimal(fee);
  return yenText(wholeYen({quantity * price, signedFee}));
}

ProfitLoss profitLoss(const Decimal& quantity, const Decimal& buyPrice, const Decimal& sellPrice,
                      long buyFee, long sellFee) {
  const Decimal result =
      wholeYen({quantity * sellPrice, -Decimal(sellFee), -(quantity * buyPrice), -Decimal(buyFee)});
  return {groupedText(result), result.sign()};
}

}  // namespace trade
