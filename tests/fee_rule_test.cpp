// The fee rule of a broker's plan as it is written: borders 「まで」 and 「未満」, rates rounded
// down with a minimum and a maximum; the break-even price under them against a plain scan; the
// drawn lines, the markers and the readout agreeing at every border; the tiers' colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chart/amount_lines.h"
#include "core/decimal.h"
#include "core/fee_schedule.h"
#include "core/mapping.h"
#include "core/single.h"
#include "recording_canvas.h"
#include "start_state.h"
#include "trade/figures.h"
#include "trade/markers.h"

namespace {

using Tiers = std::vector<core::FeeTierSetting>;

// A typical online broker's plan per trade, written as the broker writes it (まで).
const Tiers kOnline = {{50000, 55},    {100000, 99},   {200000, 115},    {500000, 275},
                       {1000000, 535}, {1500000, 640}, {30000000, 1013}, {std::nullopt, 1070}};
// A full-service plan: 20万円まで 2,860円; 50万円まで 1.43%; 70万円まで 1.10% + 1,650円; above,
// 0.99% + 2,420円 up to 100,000円.
const Tiers kFullService = {{200000, 2860},
                            {500000, 0, 14300},
                            {700000, 1650, 11000},
                            {std::nullopt, 2420, 9900, std::nullopt, 100000}};
// A percentage with both bounds in one tier: 0.5 %, at least 100円, at most 1,000円.
const Tiers kBounded = {{std::nullopt, 0, 5000, 100, 1000}};

core::TradeSettings plan(const Tiers& fees, core::FeeBorders borders) {
  core::TradeSettings s = core::builtInSettings();
  s.fees = fees;
  s.feeBorders = borders;
  return s;
}

core::Decimal value(const char* text) { return *core::readExact(text); }

}  // namespace

TEST(FeeRule, BordersRatesAndBoundsAsTheBrokerWritesThem) {
  using B = core::FeeBorders;
  const struct {
    const Tiers* fees;
    B borders;
    const char* feeAt;  // "trade value=fee ..."
  } kCases[] = {
      {&kOnline, B::UpTo,
       "49999.99=55 50000=55 50000.5=99 50001=99 30000000=1013 30000000.01=1070 "
       "30000000.0000000001=1070 50000.0000000000000000001=99 1e-20=55 -50000.5=55"},
      {&kOnline, B::Below, "49999.99=55 50000=99 50000.5=99 50001=99"},
      // 300 shares at 1,234: 5,293.86 rounded down; then each border, and the maximum.
      {&kFullService, B::UpTo,
       "370200=5293 200000=2860 200000.01=2860 500000=7150 500001=7150 700000=9350 700100=9350 "
       "9856565=99999 9856566=100000 9856565.65=99999 9856565.66=100000 1e9=100000"},
      {&kFullService, B::Below, "499999.99=7149 500000=7150"},
      {&kBounded, B::Below,
       "0=100 -5=100 19999.99=100 20200=101 199999.99=999 200000=1000 1e30=1000"},
  };
  for (const auto& c : kCases) {
    std::istringstream pairs(c.feeAt);
    for (std::string pair; pairs >> pair;) {
      const std::size_t eq = pair.find('=');
      EXPECT_EQ(
          core::plainText(core::feeOf(plan(*c.fees, c.borders), value(pair.substr(0, eq).c_str()))),
          pair.substr(eq + 1))
          << pair << (c.borders == B::UpTo ? " まで" : " 未満");
    }
  }
}

// The 8-tier まで plan as the window shows it: 1,000 shares at 50 (exactly 50,000) pay 55 on each
// side; 50 shares at 1,000.01 (50,000.50) pay 99.
TEST(FeeRule, TheReadoutAndTheLabelsChargeTheBrokersFee) {
  core::ChartState s = startState(1000, 50, 50);
  s.settings = plan(kOnline, core::FeeBorders::UpTo);
  EXPECT_EQ(trade::settlementText(s, trade::Side::Buy), "\\50,055");
  EXPECT_EQ(trade::settlementText(s, trade::Side::Sell), "\\49,945");
  EXPECT_EQ(trade::profitLossReadout(s).caption, "-110");
  EXPECT_EQ(trade::pointerReadout(s, 50)[4], "手数料 買 55円 / 売 55円");
  setTrade(s, 50, 1000.01f, 1000.01f);
  EXPECT_EQ(trade::settlementText(s, trade::Side::Buy), "\\50,100");  // 50,000.50 + 99
  EXPECT_EQ(trade::settlementText(s, trade::Side::Sell), "\\49,902");
  EXPECT_EQ(trade::profitLossReadout(s).caption, "-198");
  // The floats of the chart find the same fee where the float price is exact.
  EXPECT_EQ(trade::funcTip(s, 1000), 55);
  EXPECT_EQ(trade::funcTip(s, 1000.01f), 99);
}

namespace {

struct Segment {
  float x1, y1, x2, y2;
  core::Colour colour;
};

}  // namespace

// At every border the walk finds, the marker of a trade there stands on its tier's drawn line
// (within a yen: the line is drawn before the fee is rounded down), and a round trip there costs
// twice the fee of the rule.
TEST(FeeRule, LinesMarkersAndReadoutAgreeAtEveryBorder) {
  const Tiers scaled = {{20000, 55},   {40000, 99},   {80000, 115},   {120000, 275},
                        {160000, 535}, {200000, 640}, {240000, 1013}, {std::nullopt, 1070}};
  const Tiers rates = {
      {60000, 2860}, {150000, 0, 14300, 3000}, {std::nullopt, 1650, 11000, std::nullopt, 3500}};
  for (const core::FeeBorders borders : {core::FeeBorders::Below, core::FeeBorders::UpTo}) {
    for (const Tiers* fees : {&scaled, &rates}) {
      core::ChartState s = startState(1000);
      s.settings = plan(*fees, borders);
      core::showView(s, {0, 300, 0, 400000});  // every tier in view
      s.priceMax = 300;
      s.amountMax = 400000;
      RecordingCanvas canvas;
      chart::drawAmountLines(s, canvas);
      const float yen = static_cast<float>(s.graphHeight / s.amountSpan);  // mm per yen
      std::vector<std::pair<float, std::size_t>> prices;                   // price, its tier
      s.tierStartPrice = s.tierEndPrice = 0;
      for (std::size_t tier = 0; tier + 1 < fees->size(); ++tier) {
        chart::Border(s, static_cast<float>(*(*fees)[tier].below));
        prices.push_back({s.tierEndPrice, tier});
        prices.push_back({core::toSingle(s.tierEndPrice + chart::kWalkStep), tier + 1});
      }
      for (const auto& [price, tier] : prices) {
        SCOPED_TRACE(std::to_string(price) + " tier " + std::to_string(tier));
        setTrade(s, s.quantity, price, price);
        const trade::Marker m = trade::amountMarker(s, trade::Side::Buy, 3, [](auto) { return 0; });
        ASSERT_TRUE(m.line);
        const float x = core::FuncX(s, price);
        bool onLine = false;
        for (const auto& l : canvas.lines) {
          if (l.colour != chart::tierColour(true, tier, fees->size())) continue;
          if (x < std::min(l.x1, l.x2) - 1e-3f || x > std::max(l.x1, l.x2) + 1e-3f) continue;
          const float y = l.x1 == l.x2 ? l.y1 : l.y1 + (l.y2 - l.y1) * (x - l.x1) / (l.x2 - l.x1);
          onLine = onLine || std::fabs(y - m.line->y1) <= yen * 1.01f + 1e-3f;
        }
        EXPECT_TRUE(onLine);
        const core::Decimal fee = core::feeOf(s.settings, s.quantityDecimal * s.buyPriceDecimal);
        EXPECT_EQ(trade::profitLossReadout(s).caption,
                  core::groupedText(core::wholeYen({-fee, -fee})));
      }
    }
  }
}

// Eight tiers: neighbours differ by 24 levels in some channel; three keep the original colours.
TEST(FeeRule, NeighbouringTiersHaveColoursApart) {
  for (const bool buy : {true, false}) {
    for (std::size_t tier = 1; tier < 8; ++tier) {
      const core::Colour a = chart::tierColour(buy, tier - 1, 8),
                         b = chart::tierColour(buy, tier, 8);
      const auto apart = [&](unsigned (*channel)(core::Colour)) {
        return std::abs(static_cast<int>(channel(a)) - static_cast<int>(channel(b)));
      };
      EXPECT_GE(std::max({apart(core::redOf), apart(core::greenOf), apart(core::blueOf)}), 24)
          << buy << " " << tier;
    }
  }
  EXPECT_EQ(chart::tierColour(true, 0, 3), core::RGB(128, 255, 128));
  EXPECT_EQ(chart::tierColour(false, 2, 3), core::RGB(255, 128, 64));
}
