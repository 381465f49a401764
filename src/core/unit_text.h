#pragma once
// Settings numbers as text and back: a value in whole units of its setting (yen, shares,
// hundredths of a yen, thousandths of a percent), written and read with a fixed number of
// decimals. The settings file and the settings dialog read through the same rules, so a value
// the dialog refuses is refused in the file too, for the same reason.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class UnitFault {
  Empty,            // nothing written
  NotANumber,       // not one number (the fields' strict reading)
  TooManyDecimals,  // a fraction finer than the unit
  TooLarge,         // beyond what any setting may hold (more than 18 digits of units)
};

struct Units {
  std::int64_t value = 0;  // the count of units, when there is no fault
  std::optional<UnitFault> fault;
};

// The text as a count of units with at most `decimals` decimals: "0.01" with 2 is 1, "1,575"
// with 0 is 1575, "20.315" with 3 is 20315. Read as the entry fields read (grouping commas,
// full-width digits, an exponent), digit for digit, so no float rounding takes or refuses a value.
Units readUnits(std::string_view text, int decimals);
// A number as the settings file holds it, read from its shortest text that reads back as the
// same double (0.01 is "0.01", not 0.01000000000000000021; 1e-7 has seven decimals).
Units readUnits(double value, int decimals);

// The count of units as text, with no more decimals than it needs and digits grouped by three:
// 1 with 2 decimals is "0.01", 100 is "1", 20315 with 3 is "20.315", 250000 with 0 is "250,000".
std::string unitsText(std::int64_t units, int decimals);

// Why a text is refused, in the words the window shows.
std::string faultText(UnitFault fault, int decimals);

}  // namespace core
