#include "app/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using numtext::format0_00;
using numtext::formatGrouped;
using numtext::formatYenGrouped;
using numtext::plainDouble;
using numtext::plainFloat;
using numtext::readLenient;
using numtext::readStrict;
using numtext::readStrictFloat;

constexpr double kDblMax = std::numeric_limits<double>::max();
constexpr float kFltMax = std::numeric_limits<float>::max();

struct ReadCase {
  const char* text;
  std::optional<double> expected;
};

TEST(ReadStrict, AcceptsAndRejects) {
  const std::vector<ReadCase> cases = {
      {"12000", 12000},
      {"12,000", 12000},
      {"1,234,567.25", 1234567.25},
      {"1,2345", 12345},
      {"  -3.5\t", -3.5},
      {"+7", 7},
      {"5.", 5},
      {".5", 0.5},
      {"-.5", -0.5},
      {"1E+07", 1e7},
      {"1.5e3", 1500},
      {"2e-2", 0.02},
      {"1,000e3", 1e6},
      {"007", 7},
      {"1e-400", 0.0},  // too small for a double: an ordinary zero, not a failure
      {"", std::nullopt},
      {"   ", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},
      {"0x10", std::nullopt},
      {"inf", std::nullopt},
      {"-infinity", std::nullopt},
      {"nan", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"1e1.5", std::nullopt},
      {"e5", std::nullopt},
      {".e5", std::nullopt},
      {",100", std::nullopt},
      {"-,100", std::nullopt},
      {"100,", std::nullopt},
      {"1,,000", std::nullopt},
      {"1,.5", std::nullopt},
      {"1.5,0", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1e999", std::nullopt},
      {"-1e999", std::nullopt},
      {"1e99999999999999999999999", std::nullopt},
      {"0.000001e315", std::nullopt},
      {"12\xC2\xA0", std::nullopt},  // no-break space is not one of the accepted blanks
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readStrict(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ReadStrict, FullWidthForms) {
  const std::vector<ReadCase> cases = {
      {"１２．５０", 12.5},
      {"－３", -3},
      {"\u22123", -3},  // U+2212 minus sign
      {"＋１２，０００", 12000},
      {"１Ｅ＋０７", 1e7},
      {"２ｅ３", 2000},
      {"\u3000４２\u3000", 42},
      {"\u3000 \t9 \u3000", 9},
      {"１\u3000２", std::nullopt},
      {"１２円", std::nullopt},
      {"\u3000", std::nullopt},
      {"１２\xEF\xBC", std::nullopt},  // truncated multi-byte tail
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readStrict(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ReadStrict, IgnoresProcessLocale) {
  // A locale with "," as decimal point must not change how "12.5" or "12,000" read.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  EXPECT_EQ(readStrict("12.5"), 12.5);
  EXPECT_EQ(readStrict("12,000"), 12000);
  EXPECT_EQ(readLenient("1.5abc"), 1.5);
  EXPECT_EQ(plainDouble(2234.5), "2234.5");
  EXPECT_EQ(format0_00(1.5), "1.50");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(ReadStrictFloat, RoundsToFloatAndRejectsOverflow) {
  EXPECT_EQ(readStrictFloat("99.99"), 99.99f);
  EXPECT_EQ(readStrictFloat("-１．０１"), -1.01f);
  EXPECT_EQ(readStrictFloat("3.4028234e38"), kFltMax);
  // Just above the largest float but still nearer to it than to infinity.
  EXPECT_EQ(readStrictFloat("3.40282356e38"), kFltMax);
  EXPECT_EQ(readStrictFloat("-3.40282356e38"), -kFltMax);
  EXPECT_EQ(readStrictFloat("3.4028236e38"), std::nullopt);
  EXPECT_EQ(readStrictFloat("1e39"), std::nullopt);
  EXPECT_EQ(readStrictFloat("-1e39"), std::nullopt);
  EXPECT_EQ(readStrictFloat("1e999"), std::nullopt);
  EXPECT_EQ(readStrictFloat("abc"), std::nullopt);
  EXPECT_EQ(readStrictFloat("1e-50"), 0.0f);
}

TEST(ReadLenient, TakesLeadingNumber) {
  const std::vector<std::pair<const char*, double>> cases = {
      {"12,000", 12},     {"  5000", 5000}, {"1.5abc", 1.5},   {"abc", 0},    {"", 0},
      {"-", 0},           {".", 0},         {"-.", 0},         {"-5", -5},    {"+5", 5},
      {"1e3", 1000},      {"1e", 1},        {"1e+", 1},        {"1e-x", 1},   {"2E-1", 0.2},
      {".5.5", 0.5},      {"5.", 5},        {"1e999", 0},      {"-1e999", 0}, {"1e-400", 0},
      {"--5", 0},         {"1 2", 1},       {"\t7", 7},        {"x12", 0},    {"１２．５円", 12.5},
      {"\u3000－３", -3}, {"１ｅ２", 100},  {"1.5e3.2", 1500}, {" - 3", 0},   {"12\u3000", 12},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(readLenient(text), expected) << '"' << text << '"';
  }
}

TEST(PlainText, Float) {
  const std::vector<std::pair<float, const char*>> cases = {
      {1000.0f, "1000"},
      {1.0f, "1"},
      {0.5f, "0.5"},
      {99.99f, "99.99"},
      {1.01f, "1.01"},
      {1e7f, "1E+07"},
      {9999999.0f, "9999999"},
      {12345678.0f, "1.234568E+07"},
      {0.0001f, "0.0001"},
      {0.00001f, "1E-05"},
      {-3.0f, "-3"},
      {0.0f, "0"},
      {-0.0f, "0"},
      {151050.0f, "151050"},
      {1e-40f, "9.999946E-41"},  // denormal
      {kFltMax, "3.402823E+38"},
      {std::numeric_limits<float>::infinity(), "3.402823E+38"},
      {-std::numeric_limits<float>::infinity(), "-3.402823E+38"},
      {std::numeric_limits<float>::quiet_NaN(), "0"},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(plainFloat(value), expected) << value;
  }
}

TEST(PlainText, Double) {
  const std::vector<std::pair<double, const char*>> cases = {
      {1.01 - 1.0, "0.01"},
      {11000, "11000"},
      {2234.5, "2234.5"},
      {1e15, "1E+15"},
      {999999999999999.0, "999999999999999"},
      {0.1 + 0.2, "0.3"},
      {-0.0, "0"},
      {-1.5e-7, "-1.5E-07"},
      {1e100, "1E+100"},
      {std::numeric_limits<double>::infinity(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(plainDouble(value), expected) << value;
  }
}

struct PatternCase {
  double value;
  const char* fixed2;
  const char* grouped;
};

TEST(Patterns, RoundHalfAwayOnDecimalText) {
  const std::vector<PatternCase> cases = {
      {1, "1.00", "1"},
      {0.01, "0.01", "0"},
      {99.99, "99.99", "100"},
      {149, "149.00", "149"},
      {-4.99, "-4.99", "-5"},
      {12345.678, "12345.68", "12,346"},
      {1.005, "1.01", "1"},
      {2.675, "2.68", "3"},
      {0.125, "0.13", "0"},
      {-0.125, "-0.13", "0"},
      {0.0049999, "0.00", "0"},
      {0.005, "0.01", "0"},
      {9.995, "10.00", "10"},
      {999.5, "999.50", "1,000"},
      {999.6, "999.60", "1,000"},
      {-1234.5, "-1234.50", "-1,235"},
      {-1234.4, "-1234.40", "-1,234"},
      {1234.4, "1234.40", "1,234"},
      {2.5, "2.50", "3"},
      {0.5, "0.50", "1"},
      {-0.5, "-0.50", "-1"},
      {-0.004, "0.00", "0"},
      {-0.4, "-0.40", "0"},
      {-0.0, "0.00", "0"},
      {0, "0.00", "0"},
      {1e-300, "0.00", "0"},
      {100000, "100000.00", "100,000"},
      {1234567, "1234567.00", "1,234,567"},
      {1e7, "10000000.00", "10,000,000"},
      {24995920, "24995920.00", "24,995,920"},
      {999999.995, "1000000.00", "1,000,000"},
      {1e20, "100000000000000000000.00", "100,000,000,000,000,000,000"},
      {3.4e38, "340000000000000000000000000000000000000.00",
       "340,000,000,000,000,000,000,000,000,000,000,000,000"},
      {std::numeric_limits<double>::quiet_NaN(), "0.00", "0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format0_00(c.value), c.fixed2) << c.value;
    EXPECT_EQ(formatGrouped(c.value), c.grouped) << c.value;
  }
}

TEST(Patterns, Yen) {
  EXPECT_EQ(formatYenGrouped(1525), "\\1,525");
  EXPECT_EQ(formatYenGrouped(-25), "-\\25");
  EXPECT_EQ(formatYenGrouped(0), "\\0");
  EXPECT_EQ(formatYenGrouped(-0.3), "\\0");
  EXPECT_EQ(formatYenGrouped(-1234567.5), "-\\1,234,568");
  EXPECT_EQ(formatYenGrouped(std::numeric_limits<double>::quiet_NaN()), "\\0");
}

TEST(Patterns, InfinityIsLargestFiniteDouble) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(formatGrouped(inf), formatGrouped(kDblMax));
  EXPECT_EQ(formatGrouped(-inf), "-" + formatGrouped(kDblMax));
  EXPECT_EQ(formatYenGrouped(-inf), "-\\" + formatGrouped(kDblMax));
  EXPECT_EQ(format0_00(inf), format0_00(kDblMax));
  const std::string max = formatGrouped(kDblMax);
  EXPECT_EQ(max.rfind("179,769,313,486,232,", 0), 0u) << max;
  EXPECT_EQ(max.size(), 309u + 102u);  // 309 digits, 102 separators
}

TEST(RoundTrip, GroupedReadsBackAsRoundedValue) {
  for (double x = 0.37; x < 1e14; x *= 3.7) {  // keeps x + 0.5 within 15 digits
    for (double v : {x, -x, std::floor(x) + 0.5, -(std::floor(x) + 0.5)}) {
      const double expected = std::round(v);  // half away from zero
      EXPECT_EQ(readStrict(formatGrouped(v)), expected) << v;
      EXPECT_EQ(readStrict(formatYenGrouped(v).substr(expected < 0 ? 2 : 1)), std::fabs(expected))
          << v;
    }
  }
}

TEST(RoundTrip, PlainTextReadsBack) {
  for (double x = 1.234567891234e-12; x < 1e300; x *= 7.77) {
    for (double v : {x, -x}) {
      const auto back = readStrict(plainDouble(v));
      ASSERT_TRUE(back.has_value()) << v;
      EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
    }
  }
  for (float f : {99.99f, 1.01f, 151050.0f, 0.5f, 1e7f, 1234567.0f, -0.0001f, 3.402823e38f}) {
    EXPECT_EQ(readStrictFloat(plainFloat(f)), f) << f;
  }
}

}  // namespace
