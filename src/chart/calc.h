#pragma once
// The amount-axis label format: a decimal number text in the pattern "#,##0".
#include <string>

namespace chart {
// Reads the text strictly and writes it rounded to a whole number with thousands separators
// (100000 -> "100,000", "1E+07" -> "10,000,000"). A text that is not a number comes back as it is.
std::string FormatAmount(const std::string& text);
// The same whole amount written exactly in units of 10^power yen (万円 for 4, 億円 for 8): the
// integer part grouped as above, then only the decimals the amount needs ("1900000", 4 -> "190";
// "1234567", 4 -> "123.4567"; "-25", 4 -> "-0.0025"). A text that is not a number comes back as
// it is.
std::string FormatAmountIn(const std::string& text, int power);
}  // namespace chart
