// Fees, the profit/loss readout and the marker placement, as pure functions over the state.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/fee_schedule.h"
#include "core/number_text.h"
#include "core/price_grid.h"
#include "start_state.h"
#include "trade/entry_fields.h"
#include "trade/fees.h"
#include "trade/figures.h"
#include "trade/figures_text.h"
#include "trade/markers.h"
#include "whole_yen.h"

namespace {

using trade::Side;

constexpr core::Colour kBlue = core::RGB(0, 0, 255), kRed = core::RGB(255, 0, 0);
constexpr core::Colour kWhite = core::RGB(255, 255, 255), kBlack = core::RGB(0, 0, 0);

// One millimetre per byte: enough to see where a label's text ends.
float byteWidth(std::string_view caption) { return static_cast<float>(caption.size()); }

TEST(FuncTip, TiersChangeAtTheirThresholds) {
  struct Case {
    float quantity, price;
    std::size_t tier;  // a value at a threshold belongs to the tier above it
  };
  const std::vector<Case> cases = {
      {1000, 49.99f, 0},
      {1000, 50, 1},
      {1000, 199.99f, 1},
      {1000, 200, 2},
      {1000, 0, 0},
      {1000, -3, 0},
      {250000, 0.2f, 1},
      {250000, 99.99f, 2},
      // The product is formed in double: as a float it would round up to the threshold.
      {3000, 16.666666f, 0},
      {3000, 66.6666641f, 1},
  };
  for (const Case& c : cases) {
    const core::ChartState s = startState(c.quantity);
    EXPECT_EQ(trade::funcTip(s, c.price), core::tierFee(s, c.tier))
        << c.quantity << " x " << c.price;
  }
}

TEST(ProfitLossReadout, CaptionAndColoursFollowTheShownNumber) {
  struct Case {
    float quantity, buy, sell;
    const char* caption;
    core::Colour back, fore;
  };
  const std::vector<Case> cases = {
      {1000, 100, 101, "-1,100", kBlue, kWhite},
      {1000, 45, 50, "3,425", kRed, kWhite},
      {1000, 1, 1, "-1,050", kBlue, kWhite},
      {1000, 10, 11.05f, "0", kWhite, kBlack},
      {1000, 49.99f, 50, "-1,565", kBlue, kWhite},  // each side in its own tier
      {1000, -3, -3, "-1,050", kBlue, kWhite},
      // Fractions that show as 0 take the zero colours, whatever their sign.
      {1000, 10, 11.0504f, "0", kWhite, kBlack},
      {1000, 10, 11.0496f, "0", kWhite, kBlack},
      // Large proceeds count as their 7-digit text (24,995,924 -> 24,995,920).
      {250000, 99, 99.99f, "244,350", kRed, kWhite},
      {250000, 99.99f, 99.99f, "-3,150", kBlue, kWhite},  // the two fees, to the yen
  };
  for (const Case& c : cases) {
    const trade::ReadoutLook look = trade::profitLossReadout(startState(c.quantity, c.buy, c.sell));
    SCOPED_TRACE(std::to_string(c.buy) + " -> " + std::to_string(c.sell));
    EXPECT_EQ(look.caption, c.caption);
    EXPECT_EQ(look.back, c.back);
    EXPECT_EQ(look.fore, c.fore);
  }
}

struct PriceCase {
  Side side;
  float price;
  bool lineShown;
  float labelLeft;
  const char* caption;
};

TEST(PriceMarker, InsideOnTheBoundsAndOutside) {
  const std::vector<PriceCase> cases = {
      {Side::Buy, 1, true, 16, "買"},          {Side::Buy, 0, true, 15, "買"},
      {Side::Buy, 100, true, 115, "買"},       {Side::Buy, -0.01f, false, 15, "←買"},
      {Side::Buy, 100.01f, false, 115, "→買"}, {Side::Sell, 50, true, 65, "売"},
      {Side::Sell, -3, false, 15, "←売"},      {Side::Sell, 150, false, 115, "→売"},
  };
  for (const PriceCase& c : cases) {
    core::ChartState s = startState();
    (c.side == Side::Buy ? s.buyPrice : s.sellPrice) = c.price;
    const trade::Marker m = trade::priceMarker(s, c.side);
    SCOPED_TRACE(c.caption + std::to_string(c.price));
    const float top = c.side == Side::Buy ? 40 : 35;  // 10 or 15 mm above the plot's top edge
    EXPECT_EQ(m.caption, c.caption);
    EXPECT_FLOAT_EQ(m.labelLeft, c.labelLeft);
    EXPECT_FLOAT_EQ(m.labelTop, top);
    ASSERT_EQ(m.line.has_value(), c.lineShown);
    if (c.lineShown) {
      EXPECT_FLOAT_EQ(m.line->x1, c.labelLeft);
      EXPECT_FLOAT_EQ(m.line->x2, c.labelLeft);
      EXPECT_FLOAT_EQ(m.line->y1, 120);
      EXPECT_FLOAT_EQ(m.line->y2, top);
    }
  }
}

struct AmountCase {
  Side side;
  float quantity, price, amountMin;
  bool lineShown;
  float labelTop;  // lineHeight is 3
  const char* caption;
};

TEST(AmountMarker, InsideOnTheBoundsAndOutside) {
  // y of an amount a in the start view: 120 - a / 100000 * 70.
  const std::vector<AmountCase> cases = {
      {Side::Buy, 1000, 1, 0, true, 120 - 1.0675f - 3, "買 \\1,525"},
      {Side::Sell, 1000, 1, 0, true, 120 - 0.3325f - 3, "売 \\475"},
      {Side::Buy, 1000, 150, 0, false, 50 - 3, "↑買 \\151,050"},
      {Side::Sell, 1000, 0.5f, 0, false, 120, "↓売 -\\25"},
      // An amount exactly on amountMin or amountMax is inside.
      {Side::Buy, 1000, 1, 1525, true, 120 - 3, "買 \\1,525"},
      {Side::Buy, 1000, 1, -98475, true, 50 - 3, "買 \\1,525"},
      {Side::Sell, 1000, 1, 476, false, 120, "↓売 \\475"},
      // Exact to the yen beyond seven digits: 250000 x 99.99 + 1575.
      {Side::Buy, 250000, 99.99f, 0, false, 47, "↑買 \\24,999,075"},
  };
  for (const AmountCase& c : cases) {
    core::ChartState s = startState(c.quantity, c.price, c.price);
    s.amountMin = c.amountMin;
    s.amountMax = c.amountMin + s.amountSpan;
    const trade::Marker m = trade::amountMarker(s, c.side, 3, byteWidth);
    SCOPED_TRACE(c.caption);
    const float end = c.side == Side::Buy ? 140 : 165;  // 25 or 50 mm beyond the right edge
    EXPECT_EQ(m.caption, c.caption);
    EXPECT_NEAR(m.labelTop, c.labelTop, 1e-4);
    EXPECT_FLOAT_EQ(m.labelLeft, end - byteWidth(c.caption));
    ASSERT_EQ(m.line.has_value(), c.lineShown);
    if (c.lineShown) {
      EXPECT_FLOAT_EQ(m.line->x1, 15);
      EXPECT_FLOAT_EQ(m.line->x2, end);
      EXPECT_NEAR(m.line->y1, c.labelTop + 3, 1e-4);
      EXPECT_EQ(m.line->y1, m.line->y2);
    }
  }
}

TEST(EntryFields, TakeNumbersWhoseAmountsStayFinite) {
  const core::ChartState s = startState();
  struct Case {
    const char* text;
    bool price, quantity;
  };
  const std::vector<Case> cases = {
      {"12.50", true, true},
      {"１２．５０", true, true},
      {"－３", true, false},
      {"0", true, false},
      {"1e30", true, true},
      {"-1e30", true, false},
      {"", false, false},
      {"abc", false, false},
      {"-", false, false},
      {".", false, false},
      {"1.2.3", false, false},
      {"1e39", false, false},
      // 1000 shares at 1e36 overflow a float; so do 4e36 shares at the view's right end, 100.
      {"1e36", false, true},
      {"3e35", true, true},
      {"4e36", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(trade::acceptPrice(s, Side::Buy, c.text).has_value(), c.price);
    EXPECT_EQ(trade::acceptPrice(s, Side::Sell, c.text).has_value(), c.price);
    EXPECT_EQ(trade::acceptQuantity(s, c.text).has_value(), c.quantity);
  }
  EXPECT_EQ(trade::acceptPrice(s, Side::Buy, "１２．５０"), 12.5f);
  // A quantity is also checked against the prices already held.
  EXPECT_FALSE(trade::acceptQuantity(startState(1000, 1e30f, 1), "1e9").has_value());
  EXPECT_FALSE(trade::acceptQuantity(startState(1000, 1, -1e30f), "1e9").has_value());
}

}  // namespace

namespace {}  // namespace

// The money a user reads is exact to the yen however large the trade, checked against whole-number
// arithmetic in hundredths of a yen. The fee is the tier's, as the markers charge it.
TEST(ExactMoney, LabelsAndReadoutMatchWholeNumberArithmetic) {
  struct Case {
    long long quantity, buyCents, sellCents;
  };
  std::vector<Case> cases = {{250000, 9999, 9999}, {99'999'999'999, 9999, 9999},
                             {1000, 4999, 5000},   {1000, 5000, 4999},
                             {1000, 19999, 20000}, {123456789, 1, 10000}};
  std::mt19937_64 random(7);
  for (int n = 0; n < 200; ++n)
    cases.push_back({static_cast<long long>(random() % 100'000'000'000) + 1,
                     static_cast<long long>(random() % 20000),
                     static_cast<long long>(random() % 20000)});
  for (const Case& c : cases) {
    const auto price = [](long long cents) {
      return std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") +
             std::to_string(cents % 100);
    };
    core::ChartState s = startState();
    const std::string q = std::to_string(c.quantity), buy = price(c.buyCents),
                      sell = price(c.sellCents);
    s.quantity = *core::readStrictFloat(q);
    s.buyPrice = *core::readStrictFloat(buy);
    s.sellPrice = *core::readStrictFloat(sell);
    s.quantityDecimal = trade::exactValue(q, s.quantity);
    s.buyPriceDecimal = trade::exactValue(buy, s.buyPrice);
    s.sellPriceDecimal = trade::exactValue(sell, s.sellPrice);
    const Int128 buyAmount =
        Int128(c.quantity) * c.buyCents + Int128(trade::funcTip(s, s.buyPrice)) * 100;
    const Int128 sellAmount =
        Int128(c.quantity) * c.sellCents - Int128(trade::funcTip(s, s.sellPrice)) * 100;
    SCOPED_TRACE(q + " @ " + buy + " -> " + sell);
    EXPECT_EQ(trade::settlementText(s, Side::Buy), yenOfHundredths(buyAmount, "\\"));
    EXPECT_EQ(trade::settlementText(s, Side::Sell), yenOfHundredths(sellAmount, "\\"));
    EXPECT_EQ(trade::profitLossReadout(s).caption, yenOfHundredths(sellAmount - buyAmount, ""));
  }
}

// Where the two amount labels would overlap on one text line (tops less than a line apart,
// however little they overlap), the sell label moves right just far enough to leave 1 mm;
// wherever they do not overlap, both stand where each alone would.
TEST(AmountMarkers, LabelsNeverCoverEachOther) {
  struct Case {
    float quantity, buy, sell, mmPerByte, lineHeight;
    bool moved;
  };
  const std::vector<Case> cases = {
      {250000, 99.99f, 99.99f, 2, 3, true},   // both above the plot on one line, wide text
      {250000, 99.99f, 99.99f, 1, 3, false},  // the same line, narrow enough to fit
      {1000, 1, 1, 3, 3, false},              // different lines
      // Tops 0.735 mm apart, the sell label reaching 7 mm into the buy label.
      {1000, 1, 1, 4, 1, true},
      {1000, 1, 1, 4, 1.4f, true},
      {1000, 1, 1, 4, 0.7f, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.quantity) + " " + std::to_string(c.lineHeight));
    const core::ChartState s = startState(c.quantity, c.buy, c.sell);
    const auto width = [&](std::string_view caption) { return c.mmPerByte * caption.size(); };
    const trade::AmountMarkers both = trade::amountMarkers(s, c.lineHeight, width);
    const trade::Marker buy = trade::amountMarker(s, Side::Buy, c.lineHeight, width);
    const trade::Marker sell = trade::amountMarker(s, Side::Sell, c.lineHeight, width);
    EXPECT_EQ(both.buy.labelLeft, buy.labelLeft);
    EXPECT_EQ(both.sell.labelTop, sell.labelTop);
    EXPECT_EQ(both.sell.caption, sell.caption);
    if (c.moved) {
      EXPECT_FLOAT_EQ(both.sell.labelLeft, buy.labelLeft + width(buy.caption) + 1);
    } else {
      EXPECT_EQ(both.sell.labelLeft, sell.labelLeft);
    }
  }
}

namespace {

// The break-even price by plain integer arithmetic: every grid price from the top down, in
// hundredths, with whole-share quantities and prices; the readout shows 0 or more when 100 times
// the profit is above -50 (a half yen of loss rounds away from zero).
std::optional<std::int64_t> breakEvenByScan(const std::vector<core::FeeTierSetting>& fees,
                                            std::int64_t quantity, std::int64_t buyHundredths) {
  const auto fee = [&](std::int64_t valueHundredths) {
    for (const auto& tier : fees)
      if (!tier.below || valueHundredths < *tier.below * 100) return tier.fee;
    return fees.back().fee;
  };
  const std::int64_t cost100 = quantity * buyHundredths + 100 * fee(quantity * buyHundredths);
  const auto good = [&](std::int64_t k) {
    return quantity * k - 100 * fee(quantity * k) - cost100 > -50;
  };
  std::int64_t k = cost100 / quantity + 100'000;  // past every border and every fee
  while (k >= 1 && good(k)) --k;
  if (k == 0) return std::nullopt;
  return k + 1;
}

}  // namespace

// Against the scan: the worked trade, a first crossing just below a tier border (the profit dips
// past it, so the answer lies beyond), one, three and seven tiers, a fee of 0 and no answer.
TEST(Figures, BreakEvenIsTheLowestPriceFromWhichOnTheTradeBreaksEven) {
  const std::vector<core::FeeTierSetting> seven = {
      {20000, 0},    {50000, 100},   {90000, 250},        {120000, 480},
      {160000, 700}, {200000, 1000}, {std::nullopt, 2000}};
  struct Case {
    std::vector<core::FeeTierSetting> fees;
    std::int64_t quantity, buy;  // buy in hundredths
    std::int64_t expected;       // a worked answer; 0: the scan alone decides; -1: no answer
  };
  const std::vector<Case> cases = {
      {core::builtInSettings().fees, 300, 123400, 124450},
      {core::builtInSettings().fees, 1000, 4890, 5048},  // 49.95 breaks even, 50.00 does not
      {{{std::nullopt, 300}}, 100, 50000, 50600},
      {seven, 1000, 8500, 0},
      {seven, 1000, 1950, 0},
      {seven, 700, 17142, 0},
      {{{std::nullopt, 0}}, 1000, 100, 100},
      {{{std::nullopt, 0}}, 1000, 0, -1},  // no loss at any price
  };
  for (const Case& c : cases) {
    core::ChartState s = startState();
    s.settings.fees = c.fees;
    setTrade(s, static_cast<float>(c.quantity), static_cast<float>(c.buy) / 100, 1);
    const auto scanned = breakEvenByScan(c.fees, c.quantity, c.buy);
    if (c.expected > 0) {
      EXPECT_EQ(scanned, c.expected) << c.quantity << " @ " << c.buy;
    } else if (c.expected < 0) {
      EXPECT_EQ(scanned, std::nullopt) << c.quantity << " @ " << c.buy;
    }
    EXPECT_EQ(trade::breakEvenHundredths(s), scanned) << c.quantity << " @ " << c.buy;
  }
  core::ChartState s = startState();
  setTrade(s, 300, 1234, 1250);
  const trade::FigureTexts texts = trade::figureTexts(s, trade::breakEvenHundredths(s));
  EXPECT_EQ(texts.breakEven, "損益分岐 1,244.50円");
  EXPECT_EQ(texts.fees, "往復手数料 3,150円");
}

namespace {

// The orderable prices by the test's own rule: a band table, each band's prices multiples of its
// tick, the last band open.
bool orderable(const std::vector<core::TickBand>& bands, std::int64_t k) {
  for (const core::TickBand& band : bands)
    if (!band.upTo || k <= *band.upTo) return k % band.tick == 0;
  return false;
}

// The lowest orderable price from which on the readout shows at least `aim` yen, by walking every
// hundredth down from far above until an orderable price falls short. With whole shares and
// hundredths, 100 x the profit is an integer; the readout rounds halves away from zero. The fee by
// the broker's rule in integers: values in hundredths of a yen, rates in millionths, rounded down,
// then bounded.
struct Scan {
  const std::vector<core::FeeTierSetting>& fees;
  core::FeeBorders borders;
  std::int64_t quantity, buy, aim;
  const std::vector<core::TickBand>& bands;
  bool roundUp = false;  // the fee rounded up instead: where that moves the answer, rounding counts

  std::int64_t fee(std::int64_t v100) const {
    const core::FeeTierSetting* tier = &fees.back();
    for (const auto& t : fees) {
      if (t.below &&
          (borders == core::FeeBorders::UpTo ? v100 <= *t.below * 100 : v100 < *t.below * 100)) {
        tier = &t;
        break;
      }
    }
    std::int64_t yen =
        tier->fee + (v100 * tier->percent + (roundUp ? 99'999'999 : 0)) / 100'000'000;
    if (tier->min) yen = std::max(yen, *tier->min);
    if (tier->max) yen = std::min(yen, *tier->max);
    return yen;
  }
  std::int64_t cost100() const { return quantity * buy + 100 * fee(quantity * buy); }
  bool reaches(std::int64_t k, std::int64_t cost100) const {
    const std::int64_t profit100 = quantity * k - 100 * fee(quantity * k) - cost100;
    return aim > 0 ? profit100 >= 100 * aim - 50 : profit100 > 100 * aim - 50;
  }
  // From above the last border and every fee (a rate takes at most a tenth).
  std::int64_t top() const {
    std::int64_t most = 0;
    for (const auto& t : fees) most = std::max({most, t.fee, t.min.value_or(0)});
    const std::int64_t border = fees.size() > 1 ? *fees[fees.size() - 2].below * 100 : 0;
    return std::max(border, (cost100() + 100 * (aim + most)) * 10 / 9) / quantity + 200;
  }
  std::optional<std::int64_t> lowest() const {
    std::optional<std::int64_t> lowest;
    const std::int64_t cost = cost100();
    for (std::int64_t k = top(); k >= 1; --k) {
      if (!orderable(bands, k)) continue;
      if (!reaches(k, cost)) return lowest;
      lowest = k;
    }
    return std::nullopt;
  }
};

}  // namespace

// Against the scan, on a tick table and on a fixed step, under both border rules: one, three and
// eight tiers, a fee of 0, rates with minimums and maximums (a fee rounded down makes the profit
// dip by under a yen wherever it steps up, most often with few shares), a profit to reach and a
// loss to keep within.
TEST(Figures, OrderablePricesFromWhichOnTheAimIsReached) {
  using Tiers = std::vector<core::FeeTierSetting>;
  const Tiers eight = {{20000, 0},    {50000, 100},   {90000, 250},   {120000, 480},
                       {160000, 700}, {200000, 1000}, {400000, 1100}, {std::nullopt, 2000}};
  const Tiers fullService = {{200000, 2860},
                             {500000, 0, 14300},
                             {700000, 1650, 11000},
                             {std::nullopt, 2420, 9900, std::nullopt, 100000}};
  const Tiers small = {{2000, 286}, {5000, 0, 14300}, {std::nullopt, 242, 99999, 10, 400}};
  const Tiers odd = {{1000, 0, 5000, 3}, {5000, 7, 12345}, {std::nullopt, 0, 99999, 10, 60}};
  const Tiers bounded = {{10, 1}, {std::nullopt, 0, 5000, 10, 100}};
  struct Trade {
    std::int64_t quantity, buy, aim;
  };
  struct Group {
    std::vector<Tiers> plans;
    std::vector<Trade> trades;
    bool fewShares;  // also every hundredth; where rounding the fee down moves the answer
  };
  const Group groups[] = {
      {{{{std::nullopt, 300}},
        core::builtInSettings().fees,
        eight,
        {{std::nullopt, 0}},
        fullService},
       {{300, 123400, 0},
        {1000, 4890, 0},
        {700, 17142, 5000},
        {1000, 19550, -3000},
        {100, 9990, 0}},
       false},
      {{small, odd, bounded},
       {{1, 300000, 0},
        {7, 50000, 0},
        {3, 123400, 25},
        {1, 80000, 0},
        {7, 45000, -20},
        {3, 333, 0}},
       true},
  };
  const std::vector<core::TickBand> ticks = {{10'000, 10}, {30'000, 50}, {std::nullopt, 100}};
  // The grids: a tick table, steps of 0.05 and every hundredth (where the lines cross).
  const std::vector<core::TickBand> steps[] = {{{std::nullopt, 5}}, {{std::nullopt, 1}}};
  int rounded = 0;
  for (const Group& group : groups) {
    for (const Trade& t : group.trades) {
      for (const Tiers& tiers : group.plans) {
        for (const auto borders : {core::FeeBorders::Below, core::FeeBorders::UpTo}) {
          for (const auto* bands : {&ticks, &steps[0], &steps[1]}) {
            if (bands == &steps[1] && !group.fewShares) continue;
            core::ChartState s = startState();
            s.settings.fees = tiers;
            s.settings.feeBorders = borders;
            if (bands == &ticks)
              s.settings.priceTicks = {core::TickTable::File, ticks};
            else
              s.settings.price.step = bands->front().tick;
            setTrade(s, static_cast<float>(t.quantity), static_cast<float>(t.buy) / 100, 1);
            const Scan scan{tiers, borders, t.quantity, t.buy, t.aim, *bands};
            const auto answer = scan.lowest();
            ASSERT_EQ(trade::lowestPriceFromWhichOn(s, t.aim, core::PriceGrid(s.settings)), answer)
                << t.quantity << " @ " << t.buy << " aim " << t.aim << " tiers " << tiers.size()
                << (borders == core::FeeBorders::UpTo ? " upTo " : " below ")
                << bands->front().tick;
            if (!group.fewShares) continue;
            Scan up = scan;
            up.roundUp = true;
            rounded += up.lowest() != answer;
          }
        }
      }
    }
  }
  EXPECT_GE(rounded, 10);
}

// The worked example with the standard ticks, and the same trade with the built-in settings:
// the figures as the window writes them, and the return's rounding and sign.
TEST(Figures, WorkedExampleOnTheTickGridAndTheReturn) {
  core::ChartState s = startState();
  setTrade(s, 300, 1234, 1250);
  s.targetAfterTax = 10000;
  EXPECT_EQ(trade::profitNeeded(s, 10000), 12549);
  const auto texts = [&s] {
    std::vector<std::string> all;
    for (const trade::FigureRow& row : trade::figureTable())
      all.push_back(trade::figureText(row, s, trade::tradeFigures(s)));
    return all;
  };
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"損益分岐 1,244.50円", "往復手数料 3,150円", "税引後 1,315円",
                                      "損益率 0.44%", "目標価格 1,286.33円"}));
  s.settings.priceTicks.table = core::TickTable::Standard;
  EXPECT_EQ(texts(), (std::vector<std::string>{"損益分岐 1,245円（1,244.50）", "往復手数料 3,150円",
                                               "税引後 1,315円", "損益率 0.44%",
                                               "目標価格 1,287円（1,286.33）"}));
  s.settings.taxThousandths = 100'000;  // nothing is left of any profit
  EXPECT_EQ(texts().back(), "目標価格 —");

  // 20,000 yen bought (19,475 and a fee of 525): a yen of profit is 0.005 %, five 0.025 %.
  struct Case {
    const char *sell, *text;
  };
  for (const Case& c : {Case{"20.526", "損益率 0.01%"}, Case{"20.524", "損益率 -0.01%"},
                        Case{"20.525", "損益率 0.00%"}, Case{"20.53", "損益率 0.03%"}}) {
    core::ChartState r = startState();
    setTrade(r, 1000, 19.475f, 1);
    r.buyPriceDecimal = *core::readExact("19.475");
    r.sellPriceDecimal = *core::readExact(c.sell);
    r.sellPrice = *core::readStrictFloat(c.sell);
    EXPECT_EQ(trade::figureText(trade::figureTable()[3], r, trade::tradeFigures(r)), c.text)
        << c.sell;
  }
}

// The tax is taken from a profit only, rounded down to whole yen; the round trip's fees are the
// buy fee and the sell fee, each of its own tier.
TEST(Figures, ProfitAfterTax) {
  struct Case {
    float quantity, buy, sell;
    std::int64_t taxThousandths;
    const char* expected;
    const char* fees = "往復手数料 1,050円";
  };
  for (const Case& c :
       {Case{1, 1000, 16899, 20315, "税引後 11,833円"},  // 14,849 less 3,016
        Case{1, 1000, 16899, 0, "税引後 14,849円"},
        Case{1, 1000, 16899, 12345, "税引後 13,016円"},  // less 1,833.1...
        Case{1000, 10, 11.05f, 20315, "税引後 0円"}, Case{1000, 1, 1, 20315, "税引後 -1,050円"},
        Case{1000, 45, 50, 20315, "税引後 2,730円", "往復手数料 1,575円"},  // 3,425 less 695
        Case{1000, 50, 45, 20315, "税引後 -6,575円", "往復手数料 1,575円"}}) {
    core::ChartState s = startState();
    s.settings.taxThousandths = c.taxThousandths;
    setTrade(s, c.quantity, c.buy, c.sell);
    const trade::FigureTexts texts = trade::figureTexts(s, trade::breakEvenHundredths(s));
    EXPECT_EQ(texts.afterTax, c.expected) << c.sell << " " << c.taxThousandths;
    EXPECT_EQ(texts.fees, c.fees) << c.buy << " -> " << c.sell;
  }
}

// The copied figures: captions and plain values a spreadsheet reads, the orderable price where
// the grids differ, 「—」 kept for a figure without an answer and for a trade not known.
TEST(FiguresAsText, PlainNumbersUnderTheirCaptions) {
  const std::string captions =
      "数量\t買付単価\t売却単価\t損益\t損益分岐\t往復手数料\t税引後\t損益率\t目標価格\n";
  struct Case {
    float quantity, buy, sell;
    bool ticks, target, known;
    const char* values;
  };
  for (const Case& c : {
           Case{300, 1234, 1250, false, true, true,
                "300\t1234\t1250\t1650\t1244.5\t3150\t1315\t0.44\t1286.33\n"},
           Case{300, 1234, 1250, true, true, true,
                "300\t1234\t1250\t1650\t1245\t3150\t1315\t0.44\t1287\n"},
           Case{1000, 50, 45, false, false, true,
                "1000\t50\t45\t-6575\t52.1\t1575\t-6575\t-12.88\t—\n"},
           Case{300, 1234, 1250, false, true, false, "—\t—\t—\t—\t—\t—\t—\t—\t—\n"},
       }) {
    core::ChartState s = startState();
    setTrade(s, c.quantity, c.buy, c.sell);
    if (c.ticks) s.settings.priceTicks.table = core::TickTable::Standard;
    if (c.target) s.targetAfterTax = 10000;
    const auto known = c.known ? std::optional(trade::tradeFigures(s)) : std::nullopt;
    EXPECT_EQ(trade::figuresAsText(s, known), captions + c.values) << c.buy << " " << c.ticks;
  }
}

// The price under the pointer is rounded to 0.01 with halves away from zero, as "0.00" writes
// it. With 128 mm for 128 yen the price at x is exactly x - 15 + priceMin.
TEST(PointerPrice, RoundsHalvesAwayFromZero) {
  struct Case {
    float priceMin, x, price;
  };
  for (const Case& c : {Case{0, 64.995f, 50.00f}, Case{0, 64.994f, 49.99f},
                        Case{-50, 65.125f, 0.13f}, Case{-50, 64.875f, -0.13f}}) {
    core::ChartState s = startState();
    s.graphWidth = s.priceSpan = 128;
    s.priceMin = c.priceMin;
    EXPECT_EQ(trade::pointerPrice(s, c.x), c.price) << c.x << " from " << c.priceMin;
  }
}
