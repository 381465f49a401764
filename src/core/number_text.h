#pragma once
// Number <-> text conversions used everywhere in the program.
//
// Two readings:
//  - strict:  the whole text (blanks around it allowed) must be one number; "," groups digits
//             (exactly three after each comma, "1,234.50"; "35,5" is refused, not read as 355),
//             "." is the decimal point, an exponent ("1E+07") is accepted. Used for the field
//             state, the amount labels and the readout's read-back. Fails -> std::nullopt, and the
//             caller keeps its last good value.
//  - lenient: the number at the start of the text ("." as decimal point), 0 when there is none.
//             Used by the step buttons.
// Full-width digits, point, comma, signs and blanks (as typed with a Japanese input method) are
// read as their ordinary counterparts by both readings.
//
// Writings:
//  - plain text of a float: at most 7 significant digits, no grouping, a point only when there is
//    a fraction, exponent form from 1E+07 up (and for tiny values, below 1E-04);
//  - plain text of a double: the same with at most 15 significant digits;
//  - the patterns "0.00" and "#,##0" (the money a user reads, and its "\\#,##0" yen pattern, are
//    written from exact decimals: core/decimal.h).
// Halves round away from zero in the patterns, and a value that rounds to zero is written
// without a minus sign.
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The strict reading's number in plain form: an optional '-', digits, an optional '.' with
// digits, an optional 'e' with an optional sign and digits ("-1234.50e+7"); nothing when the
// text is not one number.
std::optional<std::string> strictNumber(std::string_view text);
// Strict reading as a double. Non-finite results (overflow) fail.
std::optional<double> readStrict(std::string_view text);
// Strict reading stored as a float: also fails when the value is not finite in single precision.
std::optional<float> readStrictFloat(std::string_view text);
// Lenient reading as a double: the leading number, 0 when there is none or when it is not finite.
double readLenient(std::string_view text);

std::string plainFloat(float value);    // e.g. 1000 -> "1000", 0.5 -> "0.5", 1e7 -> "1E+07"
std::string plainDouble(double value);  // e.g. 1.01 - 1 -> "0.01"

// The digits of a whole number with "," between groups of three ("1234567" -> "1,234,567").
std::string groupDigits(const std::string& integer);

std::string format0_00(double value);     // "0.00":   1 -> "1.00", -0.004 -> "0.00"
std::string formatGrouped(double value);  // "#,##0":  1234567 -> "1,234,567", -1234.5 -> "-1,235"

}  // namespace core
