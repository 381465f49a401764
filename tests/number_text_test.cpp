#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"

namespace {

using namespace core;

constexpr double kDblMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr float kFltMax = std::numeric_limits<float>::max();
constexpr float kFltInf = std::numeric_limits<float>::infinity();

// The case tables are kept packed by hand; one case per line would bury them.
// clang-format off

// Full-width forms come from a Japanese input method; "1e-400" is too small for a double and
// reads as an ordinary zero rather than failing. Anything else is refused.
TEST(ReadStrict, TakesNumbersAndRefusesAnythingElse) {
  const std::optional<double> no;
  const std::vector<std::pair<const char*, std::optional<double>>> cases = {
      {"12,000", 12000}, {"1,234,567.25", 1234567.25}, {"  -3.5\t", -3.5},
      {"+7", 7}, {"5.", 5}, {"-.5", -0.5}, {"1E+07", 1e7}, {"1.5e3", 1500}, {"1,000e-3", 1},
      {"1e-400", 0.0}, {"１２．５０", 12.5}, {"－３", -3}, {"\u22123", -3},
      {"＋１２，０００", 12000}, {"１Ｅ＋０７", 1e7}, {"２ｅ３", 2000}, {"\u3000 \t４２\u3000", 42},
      {"", no}, {" \u3000", no}, {".", no}, {"-", no}, {"--1", no}, {"- 1", no}, {"12abc", no},
      {"1 2", no}, {"１\u3000２", no}, {"１２円", no}, {"0x10", no}, {"inf", no}, {"nan", no},
      {"1e", no}, {"1e+", no}, {"e5", no}, {",100", no}, {"-,100", no}, {"100,", no},
      {"1,,000", no}, {"1,.5", no}, {"1.5,0", no}, {"1.2.3", no}, {"1e999", no}, {"-1e999", no},
      {"0.000001e315", no}, {"1e99999999999999999999999", no}, {"１２\xEF\xBC", no}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(readStrict(text), expected) << '"' << text << '"';
  }
}

// A comma is a digit-group separator only with exactly three digits after it; any other comma
// refuses the text, in the float and the exact reading alike ("35,5" is not 355).
TEST(ReadStrict, CommaGroupsExactlyThreeDigits) {
  const std::vector<std::pair<const char*, std::optional<double>>> cases = {
      {"10,000", 10000}, {"２０，０００", 20000}, {"1,234.50", 1234.5}, {"-1,234,567", -1234567},
      {"1,000e3", 1e6}, {"1234,567", 1234567},
      {"35,5", std::nullopt}, {"1,2345", std::nullopt}, {"1,23", std::nullopt},
      {"1,23.5", std::nullopt}, {"12,34,567", std::nullopt}, {"1,234,56", std::nullopt},
      {"1,2345.5", std::nullopt}, {"３５，５", std::nullopt}, {"1,23e3", std::nullopt}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(readStrict(text), expected) << '"' << text << '"';
    EXPECT_EQ(core::readExact(text).has_value(), expected.has_value()) << '"' << text << '"';
  }
}

TEST(ReadStrict, LongMantissasOverflowOrUnderflowByTheirMagnitude) {
  const std::string zeros(400, '0');
  EXPECT_EQ(readStrict("1" + zeros + "e-50"), std::nullopt);   // 1e350
  EXPECT_EQ(readStrict("-0." + zeros + "1e50"), -0.0);         // -1e-351
  EXPECT_EQ(readStrict("1" + zeros + "e-390"), 1e10);
}

TEST(ReadStrictFloat, RoundsToFloatAndRejectsOverflow) {
  EXPECT_EQ(readStrictFloat("-１．０１"), -1.01f);
  // Above the largest float but nearer to it than to infinity: still the largest float.
  EXPECT_EQ(readStrictFloat("3.40282356e38"), kFltMax);
  EXPECT_EQ(readStrictFloat("-3.40282356e38"), -kFltMax);
  EXPECT_EQ(readStrictFloat("3.4028236e38"), std::nullopt);
  EXPECT_EQ(readStrictFloat("-1e39"), std::nullopt);
  EXPECT_EQ(readStrictFloat("abc"), std::nullopt);
}

TEST(ReadLenient, TakesLeadingNumber) {
  const std::vector<std::pair<const char*, double>> cases = {
      {"12,000", 12}, {"  5000", 5000}, {"1.5abc", 1.5}, {"abc", 0}, {"", 0}, {"-", 0},
      {"-.", 0}, {"-5", -5}, {"+5", 5}, {"1e3", 1000}, {"1e", 1}, {"1e+", 1}, {"2E-1", 0.2},
      {".5.5", 0.5}, {"1e999", 0}, {"-1e999", 0}, {"--5", 0}, {"1 2", 1}, {" - 3", 0},
      {"\u3000－３", -3}, {"１２．５円", 12.5}, {"１ｅ２", 100}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(readLenient(text), expected) << '"' << text << '"';
  }
}

TEST(PlainText, FloatAndDouble) {
  const std::vector<std::pair<float, const char*>> floats = {
      {1000.0f, "1000"}, {0.5f, "0.5"}, {99.99f, "99.99"}, {1e7f, "1E+07"},
      {9999999.0f, "9999999"}, {12345678.0f, "1.234568E+07"}, {0.0001f, "0.0001"},
      {0.00001f, "1E-05"}, {-3.0f, "-3"}, {-0.0f, "0"}, {1e-40f, "9.999946E-41"},
      {kFltInf, "3.402823E+38"}, {-kFltInf, "-3.402823E+38"}, {std::nanf(""), "0"}};
  for (const auto& [value, expected] : floats) EXPECT_EQ(plainFloat(value), expected) << value;

  const std::vector<std::pair<double, const char*>> doubles = {
      {1.01 - 1.0, "0.01"}, {2234.5, "2234.5"}, {1e15, "1E+15"},
      {999999999999999.0, "999999999999999"}, {0.1 + 0.2, "0.3"}, {-0.0, "0"},
      {-1.5e-7, "-1.5E-07"}, {1e100, "1E+100"}, {kInf, "1.79769313486232E+308"}, {kNaN, "0"}};
  for (const auto& [value, expected] : doubles) EXPECT_EQ(plainDouble(value), expected) << value;
}

TEST(Patterns, RoundHalfAwayOnDecimalText) {
  struct Case { double value; const char* fixed2; const char* grouped; };
  const std::vector<Case> cases = {
      {0.01, "0.01", "0"}, {99.99, "99.99", "100"}, {-4.99, "-4.99", "-5"},
      {12345.678, "12345.68", "12,346"}, {1.005, "1.01", "1"}, {2.675, "2.68", "3"},
      {-0.125, "-0.13", "0"}, {0.0049999, "0.00", "0"}, {9.995, "10.00", "10"},
      {999.5, "999.50", "1,000"}, {-1234.5, "-1234.50", "-1,235"}, {1234.4, "1234.40", "1,234"},
      {-0.5, "-0.50", "-1"}, {-0.004, "0.00", "0"}, {-0.4, "-0.40", "0"}, {-0.0, "0.00", "0"},
      {100000, "100000.00", "100,000"}, {24995920, "24995920.00", "24,995,920"},
      {999999.995, "1000000.00", "1,000,000"},
      {1e20, "100000000000000000000.00", "100,000,000,000,000,000,000"},
      {3.4e38, "340000000000000000000000000000000000000.00",
               "340,000,000,000,000,000,000,000,000,000,000,000,000"},
      {kNaN, "0.00", "0"}};
  for (const auto& c : cases) {
    EXPECT_EQ(format0_00(c.value), c.fixed2) << c.value;
    EXPECT_EQ(formatGrouped(c.value), c.grouped) << c.value;
  }
}

// clang-format on

TEST(Patterns, Infinity) {
  // Infinities are written as the largest finite double, all 309 digits of it.
  const std::string max = formatGrouped(kDblMax);
  EXPECT_EQ(max.rfind("179,769,313,486,232,000,", 0), 0u) << max;
  EXPECT_EQ(max.size(), 309u + 102u);
  EXPECT_EQ(formatGrouped(kInf), max);
  EXPECT_EQ(format0_00(kInf), format0_00(kDblMax));
}

TEST(RoundTrip, TextsReadBack) {
  for (double x = 0.37; x < 1e14; x *= 3.7) {  // keeps floor(x) + 0.5 within 15 digits
    for (double v : {x, -x, std::floor(x) + 0.5, -std::floor(x) - 0.5}) {
      EXPECT_EQ(readStrict(formatGrouped(v)), std::round(v)) << v;
    }
  }
  for (double x = 1.234567891234e-12; x < 1e300; x *= 7.77) {
    for (double v : {x, -x}) {
      const auto back = readStrict(plainDouble(v));
      ASSERT_TRUE(back.has_value()) << v;
      EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
    }
  }
  for (float f : {99.99f, 1.01f, 151050.0f, 1e7f, 1234567.0f, -0.0001f, 3.402823e38f}) {
    EXPECT_EQ(readStrictFloat(plainFloat(f)), f) << f;
  }
}

}  // namespace
