#include "core/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"

namespace core {
namespace {

constexpr std::size_t kMaxDigits = 40000;
constexpr std::int64_t kMaxTopPosition = 39;  // the highest digit of a value below 1e40
constexpr std::int64_t kMaxWrittenExponent = 1'000'000'000'000'000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Position of the highest digit: 0 for units, -1 for tenths. Only for nonzero values.
std::int64_t top(const Decimal& d) {
  return d.exponent() + static_cast<std::int64_t>(d.digits().size()) - 1;
}

// Most products and sums the program makes are of a few digits: those fit in 64 bits, and are
// worked out there instead of digit for digit. The same value either way.
constexpr std::size_t kSmallDigits = 18;  // below 10^18: nine of them still fit in an int64

std::uint64_t smallValue(const std::string& digits) {
  std::uint64_t value = 0;
  for (const char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
  return value;
}

Decimal fromSmall(bool negative, std::uint64_t magnitude, std::int64_t exponent) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
  return Decimal::fromDigits(negative, std::string(buffer, end), exponent);
}

// The rounded sum of wholeYen where every term, written out down to the lowest digit of any of
// them (and at most eighteen places below the units), has at most eighteen digits.
std::optional<Decimal> smallWholeYen(const std::vector<Decimal>& terms) {
  if (terms.size() > 9) return std::nullopt;
  std::int64_t lowest = 0;
  for (const Decimal& t : terms)
    if (t.sign() != 0) lowest = std::min(lowest, t.exponent());
  if (lowest < -static_cast<std::int64_t>(kSmallDigits)) return std::nullopt;
  std::int64_t sum = 0;
  for (const Decimal& t : terms) {
    if (t.sign() == 0) continue;
    const std::int64_t shift = t.exponent() - lowest;
    if (static_cast<std::int64_t>(t.digits().size()) + shift >
        static_cast<std::int64_t>(kSmallDigits))
      return std::nullopt;
    auto aligned = static_cast<std::int64_t>(smallValue(t.digits()));
    for (std::int64_t i = 0; i < shift; ++i) aligned *= 10;
    sum += t.sign() < 0 ? -aligned : aligned;
  }
  std::uint64_t magnitude =
      sum < 0 ? 0ULL - static_cast<std::uint64_t>(sum) : static_cast<std::uint64_t>(sum);
  std::uint64_t unit = 1;
  for (std::int64_t i = lowest; i < 0; ++i) unit *= 10;
  const std::uint64_t remainder = magnitude % unit;
  magnitude = magnitude / unit + (2 * remainder >= unit ? 1 : 0);
  return fromSmall(sum < 0, magnitude, 0);
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
  return core::groupDigits(whole.digits() +
                           std::string(static_cast<std::size_t>(whole.exponent()), '0'));
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
  if (a.digits_.size() + b.digits_.size() <= kSmallDigits)
    return fromSmall(a.negative_ != b.negative_, smallValue(a.digits_) * smallValue(b.digits_),
                     a.exponent_ + b.exponent_);
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
  // The strict reading has checked the text and put its number in plain form.
  const std::optional<std::string> number = core::strictNumber(text);
  if (!number) return std::nullopt;
  const std::string& s = *number;
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) ++i;
  std::string mantissa;
  std::int64_t exponent = 0;  // of the mantissa's last digit
  bool fraction = false;
  for (; i < s.size() && s[i] != 'e'; ++i) {
    if (s[i] == '.') {
      fraction = true;
      continue;
    }
    mantissa.push_back(s[i]);
    if (fraction) --exponent;
  }
  std::int64_t written = 0;  // the written exponent, held just past its bound once beyond it
  if (i < s.size()) {
    ++i;
    bool writtenNegative = false;
    if (s[i] == '+' || s[i] == '-') writtenNegative = s[i++] == '-';
    for (; i < s.size() && isDigit(s[i]); ++i)
      written = std::min(written * 10 + (s[i] - '0'), kMaxWrittenExponent + 1);
    if (writtenNegative) written = -written;
  }

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
  if (const std::optional<Decimal> small = smallWholeYen(terms)) return *small;
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

Decimal fromFloat(float value) {
  if (!std::isfinite(value)) return Decimal();
  // A whole float below 2^63 (every fee and most amounts) is its integer.
  if (value == std::trunc(value) && std::fabs(value) < 9.2e18f)
    return Decimal(static_cast<long long>(value));
  // 150 decimals hold the smallest float's value exactly, and 40 digits the largest's integer.
  char buffer[200];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::fixed, 150);
  return readExact(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)))
      .value_or(Decimal());
}

std::string plainText(const Decimal& value) {
  if (value.sign() == 0) return "0";
  std::string digits = value.digits();
  std::int64_t exponent = value.exponent();
  if (exponent >= 0) {
    digits.append(static_cast<std::size_t>(exponent), '0');
  } else {
    const auto fraction = static_cast<std::size_t>(-exponent);
    if (digits.size() <= fraction) digits.insert(0, fraction - digits.size() + 1, '0');
    digits.insert(digits.size() - fraction, 1, '.');
  }
  return (value.sign() < 0 ? "-" : "") + digits;
}

std::string fixedText(const Decimal& value, int decimals) {
  const Decimal scaled =
      Decimal::fromDigits(value.sign() < 0, value.digits(), value.exponent() + decimals);
  const Decimal whole = roundWhole(scaled);
  std::string digits =
      whole.sign() == 0
          ? std::string("0")
          : whole.digits() + std::string(static_cast<std::size_t>(whole.exponent()), '0');
  const auto places = static_cast<std::size_t>(decimals);
  if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
  if (places > 0) digits.insert(digits.size() - places, 1, '.');
  return (whole.sign() < 0 ? "-" : "") + digits;
}

Decimal wholeTowardZero(const Decimal& value) {
  const std::int64_t integerLength =
      static_cast<std::int64_t>(value.digits().size()) + value.exponent();
  if (value.exponent() >= 0) return value;
  if (integerLength <= 0) return Decimal();
  return Decimal::fromDigits(value.sign() < 0,
                             value.digits().substr(0, static_cast<std::size_t>(integerLength)), 0);
}

Decimal wholeDown(const Decimal& value) {
  const Decimal whole = wholeTowardZero(value);
  if (value.sign() >= 0 || whole == value) return whole;
  return wholeYen({whole, Decimal(-1)});  // both whole: the sum is exact
}

int compare(const Decimal& a, const Decimal& b) {
  if (a.sign() != b.sign()) return a.sign() < b.sign() ? -1 : 1;
  if (a.sign() == 0) return 0;
  int order = 0;  // of the magnitudes
  if (top(a) != top(b)) {
    order = top(a) < top(b) ? -1 : 1;
  } else {
    const int c = a.digits().compare(b.digits());  // both start at the same position
    order = c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  return a.sign() < 0 ? -order : order;
}

std::string groupedCentsText(const Decimal& value) {
  const std::string fixed = fixedText(value, 2);
  const bool negative = fixed.front() == '-';
  const std::size_t point = fixed.find('.');
  const std::size_t from = negative ? 1 : 0;
  return (negative ? "-" : "") + core::groupDigits(fixed.substr(from, point - from)) +
         fixed.substr(point);
}

std::string groupedText(const Decimal& amount) {
  const Decimal whole = roundWhole(amount);
  return (whole.sign() < 0 ? "-" : "") + groupedMagnitude(whole);
}

std::string yenText(const Decimal& amount) {
  const Decimal whole = roundWhole(amount);
  return (whole.sign() < 0 ? "-\\" : "\\") + groupedMagnitude(whole);
}

}  // namespace core
