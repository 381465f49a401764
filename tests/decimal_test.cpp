// Exact decimals: reading field texts, rounding once to whole yen, and the settlement and
// profit/loss sums, checked against known trades and against whole-number arithmetic.
#include "core/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "whole_yen.h"

namespace {

using core::Decimal;
using core::readExact;

// The two sums the window shows, composed as its trade code composes them.
std::string settlementText(const Decimal& q, const Decimal& price, long fee, bool buy) {
  return core::yenText(core::wholeYen({q * price, buy ? Decimal(fee) : -Decimal(fee)}));
}
struct ProfitLoss {
  std::string text;
  int sign;
};
ProfitLoss profitLoss(const Decimal& q, const Decimal& buy, const Decimal& sell, long buyFee,
                      long sellFee) {
  const Decimal result =
      core::wholeYen({q * sell, -Decimal(sellFee), -(q * buy), -Decimal(buyFee)});
  return {core::groupedText(result), result.sign()};
}

Decimal read(const std::string& text) {
  const std::optional<Decimal> value = readExact(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(Decimal());
}

// The case tables are kept packed by hand; one case per line would bury them.
// clang-format off

TEST(ReadExact, AcceptsFieldNumbers) {
  struct Case { std::string text; bool negative; std::string digits; std::int64_t exponent; };
  const std::vector<Case> cases = {
      {"12,000", false, "12", 3}, {"1,234,567.25", false, "123456725", -2},
      {"  -3.5\t", true, "35", -1}, {"+7", false, "7", 0}, {"5.", false, "5", 0}, {"-.5", true, "5", -1},
      {"1E+07", false, "1", 7}, {"2.5e-3", false, "25", -4}, {"1,000e-3", false, "1", 0},
      {"0099.9900", false, "9999", -2}, {"-0.00", false, "", 0}, {"0e99999999999999999999", false, "", 0},
      {"１２，３４５．６７", false, "1234567", -2}, {"－３", true, "3", 0}, {"\u22123", true, "3", 0},
      {"＋２Ｅ３", false, "2", 3}, {"２ｅ－３", false, "2", -3}, {"\u3000４\u3000", false, "4", 0},
      {"1e-400", false, "1", -400}, {"9.99e39", false, "999", 37},
      {"-1e-1000000000000000", true, "1", -1000000000000000},
      {"340282350000000000000000000000000000000", false, "34028235", 31},
  };
  for (const Case& c : cases) {
    const std::optional<Decimal> value = readExact(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(value->sign(), c.digits.empty() ? 0 : c.negative ? -1 : 1) << c.text;
    EXPECT_EQ(value->digits(), c.digits) << c.text;
    EXPECT_EQ(value->exponent(), c.exponent) << c.text;
  }
}

TEST(ReadExact, RefusesNonNumbersAndValuesOutOfBounds) {
  const std::vector<std::string> cases = {
      "", " ", "-", "+", ".", "1,2345", "1,2,", ",1", "1,,2", "1,.5", "-,5", "1..2", "1.2.3", "abc", "1e", "1e+",
      "e5", ".e5", "+-5", "- 5", "1 2", "5x", "0x10", "1,5.2,3", "ＡＢＣ", "１\xEF\xBC", "1e40", "-1e40",
      "1e999999999", "99999999999999999999999999999999999999999", "1e-1000000000000001",
      "1e99999999999999999999", std::string(40001, '7') + "e-40000",
  };
  for (const std::string& text : cases) EXPECT_FALSE(readExact(text).has_value()) << text;
  EXPECT_TRUE(readExact(std::string(40000, '7') + "e-40000").has_value());
}

// Quantity, buy price, sell price as the fields hold them, the fees, and the three texts.
struct Trade {
  std::string quantity, buy, sell; long buyFee, sellFee;
  std::string buyText, sellText, profitText; int profitSign;
};

TEST(ExactMoney, KnownTrades) {
  const std::vector<Trade> trades = {
      // Beyond seven significant digits.
      {"250000", "99.99", "99.99", 1575, 1575, "\\24,999,075", "\\24,995,925", "-3,150", -1},
      {"99,999,999,999", "99.99", "99.99", 1575, 1575, "\\9,999,000,001,475", "\\9,998,999,998,325", "-3,150", -1},
      {"340282350000000000000000000000000000000", "0.01", "0.02", 1575, 1575,
       "\\3,402,823,500,000,000,000,000,000,000,000,001,575", "\\6,805,646,999,999,999,999,999,999,999,999,998,425",
       "3,402,823,499,999,999,999,999,999,999,999,996,850", 1},
      // Either side of the 50,000 fee border.
      {"1000", "49.99", "50.00", 525, 1050, "\\50,515", "\\48,950", "-1,565", -1},
      {"1,000", "50", "49.99", 1050, 525, "\\51,050", "\\49,465", "-1,585", -1},
      // Halves away from zero; zero never carries a minus.
      {"1", "0.5", "0.5", 0, 0, "\\1", "\\1", "0", 0},
      {"1", "-0.5", "0.5", 0, 0, "-\\1", "\\1", "1", 1},
      {"1", "2.5", "-0.4", 0, 0, "\\3", "\\0", "-3", -1},
      {"3", "0.1666", "0.1667", 0, 0, "\\0", "\\1", "0", 0},
      {"1", "0.49999999999999999999999", "-0.49999999999999999999999", 0, 0, "\\0", "\\0", "-1", -1},
      // Negative prices are numbers like any other.
      {"100", "-5", "-3", 525, 525, "\\25", "-\\825", "-850", -1},
      {"1", "-1574.5", "0", 1575, 0, "\\1", "\\0", "-1", -1},
      // Tiny values: the exact sum sits just beside a half, or exactly on it.
      {"1", "1e-999999999", "0.5", 0, 0, "\\0", "\\1", "0", 0},
      {"1", "-1e-999999999", "0.5", 0, 0, "\\0", "\\1", "1", 1},
      {"1", "1e-300", "0.5" + std::string(298, '0') + "1", 0, 0, "\\0", "\\1", "1", 1},
      {"1", "2e-300", "0.5" + std::string(298, '0') + "1", 0, 0, "\\0", "\\1", "0", 0},
      {"1e-999999999", "7", "-1e-999999999", 525, 525, "\\525", "-\\525", "-1,050", -1},
  };
  for (const Trade& t : trades) {
    const Decimal q = read(t.quantity), buy = read(t.buy), sell = read(t.sell);
    EXPECT_EQ(settlementText(q, buy, t.buyFee, true), t.buyText) << t.quantity << " @ " << t.buy;
    EXPECT_EQ(settlementText(q, sell, t.sellFee, false), t.sellText) << t.quantity << " @ " << t.sell;
    const ProfitLoss pl = profitLoss(q, buy, sell, t.buyFee, t.sellFee);
    EXPECT_EQ(pl.text, t.profitText) << t.quantity << " @ " << t.buy << " -> " << t.sell;
    EXPECT_EQ(pl.sign, t.profitSign) << t.quantity << " @ " << t.buy << " -> " << t.sell;
  }
}

TEST(ExactMoney, SumsRoundOnceWhateverTheGapsBetweenTerms) {
  struct Case { std::vector<std::string> terms; std::string grouped, yen; };
  const std::vector<Case> cases = {
      {{"0.5", "1e-500000000", "-1e-999999999"}, "1", "\\1"},
      {{"0.5", "-1e-500000000", "1e-999999999"}, "0", "\\0"},
      {{"1e-999999999", "-1e-999999999", "0.5"}, "1", "\\1"},
      {{"2e-999999999", "-1e-999999999", "-0.5"}, "0", "\\0"},
      {{"-0.5", "-1e-999999999", "1e-999999999"}, "-1", "-\\1"},
      {{"-1e-999999999", "1234567.5"}, "1,234,567", "\\1,234,567"},
      {{"1e-999999999", "-1234567.5"}, "-1,234,567", "-\\1,234,567"},
      {{"-1e-999999999", "3E+15"}, "3,000,000,000,000,000", "\\3,000,000,000,000,000"},
      {{"0.4", "0.1"}, "1", "\\1"}, {{"-0.45", "-0.05"}, "-1", "-\\1"}, {{"999.5"}, "1,000", "\\1,000"},
      {{"-3150"}, "-3,150", "-\\3,150"}, {{"100", "-100"}, "0", "\\0"}, {{}, "0", "\\0"},
  };
  for (const Case& c : cases) {
    std::vector<Decimal> terms;
    for (const std::string& t : c.terms) terms.push_back(read(t));
    const Decimal sum = core::wholeYen(terms);
    EXPECT_EQ(core::groupedText(sum), c.grouped) << testing::PrintToString(c.terms);
    EXPECT_EQ(core::yenText(sum), c.yen) << testing::PrintToString(c.terms);
    EXPECT_TRUE(sum.exponent() >= 0) << testing::PrintToString(c.terms);
  }
}

// clang-format on

std::string priceText(long long cents) {
  const long long magnitude = cents < 0 ? -cents : cents;
  const long long fraction = magnitude % 100;
  return (cents < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
         (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

TEST(ExactMoney, RandomTradesMatchWholeNumberArithmetic) {
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<long long> quantities(1, 100'000'000'000), cents(-100'000, 100'000);
  const long fees[] = {0, 525, 1050, 1575};
  for (int n = 0; n < 400; ++n) {
    const long long quantity = quantities(random), buyCents = cents(random),
                    sellCents = cents(random);
    const long buyFee = fees[random() % 4], sellFee = fees[random() % 4];
    const Decimal q = read(std::to_string(quantity)), buy = read(priceText(buyCents)),
                  sell = read(priceText(sellCents));
    const Int128 buyAmount = Int128(quantity) * buyCents + buyFee * 100;
    const Int128 sellAmount = Int128(quantity) * sellCents - sellFee * 100;
    const std::string trade =
        std::to_string(quantity) + " @ " + priceText(buyCents) + " -> " + priceText(sellCents);
    EXPECT_EQ(settlementText(q, buy, buyFee, true), yenOfHundredths(buyAmount, "\\")) << trade;
    EXPECT_EQ(settlementText(q, sell, sellFee, false), yenOfHundredths(sellAmount, "\\")) << trade;
    const ProfitLoss pl = profitLoss(q, buy, sell, buyFee, sellFee);
    const std::string expected = yenOfHundredths(sellAmount - buyAmount, "");
    EXPECT_EQ(pl.text, expected) << trade;
    EXPECT_EQ(pl.sign, expected == "0" ? 0 : expected[0] == '-' ? -1 : 1) << trade;
  }
}

// Products and sums on either side of 18 digits, where the arithmetic leaves 64 bits.
TEST(ExactMoney, ProductsAndSumsAroundSixtyFourBitsMatchWideArithmetic) {
  std::mt19937_64 random(20261208);
  const auto ofDigits = [&](int digits) {  // a whole number of exactly that many digits
    long long low = 1;
    for (int i = 1; i < digits; ++i) low *= 10;
    return std::uniform_int_distribution<long long>(low, 10 * low - 1)(random);
  };
  std::uniform_int_distribution<int> shortDigits(6, 12), longDigits(15, 18);
  for (int n = 0; n < 2000; ++n) {
    const long long price = ofDigits(shortDigits(random)), quantity = ofDigits(shortDigits(random));
    const long long plus = ofDigits(longDigits(random)), minus = ofDigits(longDigits(random));
    // price and both sums in hundredths, the quantity whole.
    const Decimal product = read(priceText(price)) * read(std::to_string(quantity));
    const Decimal sum = core::wholeYen({product, read(priceText(plus)), -read(priceText(minus))});
    const Int128 expected = Int128(price) * quantity + plus - minus;
    EXPECT_EQ(core::groupedText(sum), yenOfHundredths(expected, ""))
        << price << " x " << quantity << " + " << plus << " - " << minus;
    EXPECT_EQ(core::groupedText(core::wholeYen({product})),
              yenOfHundredths(Int128(price) * quantity, ""))
        << price << " x " << quantity;
  }
}

}  // namespace
