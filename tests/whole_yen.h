#pragma once
// The money texts worked out in whole numbers, independently of the program's decimals: amounts in
// hundredths of a yen, as 128-bit integers.
#include <string>

__extension__ typedef __int128 Int128;

// Whole yen of an amount in hundredths, halves away from zero, in "#,##0" with an optional prefix
// after the minus sign.
inline std::string yenOfHundredths(Int128 hundredths, const std::string& prefix) {
  const bool negative = hundredths < 0;
  Int128 whole = ((negative ? -hundredths : hundredths) + 50) / 100;
  std::string digits;
  do {
    if (digits.size() % 4 == 3) digits.insert(digits.begin(), ',');
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
    whole /= 10;
  } while (whole > 0);
  return (negative && digits != "0" ? "-" : "") + prefix + digits;
}
