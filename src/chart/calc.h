#pragma once
// The amount-axis label format: a decimal number text in the pattern "#,##0".
#include <string>

namespace Calc {
// Reads the text strictly and writes it rounded to a whole number with thousands separators
// (100000 -> "100,000", "1E+07" -> "10,000,000"). A text that is not a number comes back as it is.
std::string FormatAmount(const std::string& text);
}  // namespace Calc
