// The mapping from chart values to millimetres, the tick-step search, the fee-tier amount lines and
// the amount-label format, checked against worked values of the start view.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "chart/amount_lines.h"
#include "chart/calc.h"
#include "chart/canvas.h"
#include "chart/graph_make.h"
#include "chart/tick_steps.h"
#include "core/decimal.h"
#include "core/fee_schedule.h"
#include "core/mapping.h"
#include "core/number_text.h"
#include "recording_canvas.h"
#include "start_state.h"
#include "trade/fees.h"
#include "trade/markers.h"

namespace {

// The tier walk one 0.01 step at a time, the plain reference the program's run-taking walk must
// match float for float. Past 2^18 a float can no longer take a 0.01 step; from there the border
// is the first float whose trade value reaches the threshold, found here from the quotient and
// corrected one float at a time.
float walkStepByStep(float quantity, float price, float threshold) {
  const auto below = [&](float p) {
    return static_cast<float>(static_cast<double>(quantity) * p) < threshold;
  };
  while (below(price)) {
    const float next = static_cast<float>(price + chart::kWalkStep);
    if (next == price) {
      constexpr float kInf = std::numeric_limits<float>::infinity();
      float p = std::max(price, static_cast<float>(threshold / static_cast<double>(quantity)));
      while (p > price && !below(std::nextafter(p, 0.0f))) p = std::nextafter(p, 0.0f);
      while (below(p)) p = std::nextafter(p, kInf);
      return p;
    }
    price = next;
  }
  return price;
}

struct Segment {
  float x1, y1, x2, y2;
  core::Colour colour;
};

std::vector<Segment> amountLines(core::ChartState& s) {
  RecordingCanvas canvas;
  canvas.DrawWidth = 2;
  chart::drawAmountLines(s, canvas);
  std::vector<Segment> lines;
  EXPECT_TRUE(canvas.printed.empty());
  for (const auto& line : canvas.lines) {
    EXPECT_EQ(line.width, 2);
    lines.push_back({line.x1, line.y1, line.x2, line.y2, line.colour});
  }
  EXPECT_EQ(canvas.ForeColor, s.drawColor);
  return lines;
}

void expectSegment(const Segment& seg, float x1, float y1, float x2, float y2,
                   core::Colour colour) {
  EXPECT_NEAR(seg.x1, x1, 5e-4);
  EXPECT_NEAR(seg.y1, y1, 5e-4);
  EXPECT_NEAR(seg.x2, x2, 5e-4);
  EXPECT_NEAR(seg.y2, y2, 5e-4);
  EXPECT_EQ(seg.colour, colour);
}

}  // namespace

TEST(Mapping, StartViewWorkedValues) {
  core::ChartState s = startState();
  EXPECT_FLOAT_EQ(core::FuncX(s, 0), 15);
  EXPECT_FLOAT_EQ(core::FuncX(s, 100), 115);
  EXPECT_FLOAT_EQ(core::FuncX(s, 50), 65);
  EXPECT_FLOAT_EQ(core::FuncY(s, 50, 525), 84.6325f);
  EXPECT_FLOAT_EQ(core::FuncX(s, -10), 5);  // no clipping: left of the plot area
}

TEST(Mapping, LineEntersAndLeavesThePlotArea) {
  core::ChartState s = startState();
  core::Siten(s, -1575);  // below the bottom-left corner: enters through the bottom edge at 1.575
  EXPECT_FLOAT_EQ(s.lineStartX, 16.575f);
  EXPECT_FLOAT_EQ(s.lineStartY, 120);
  core::Siten(s, 0);  // exactly at amountMin: the left-edge rule, greater-or-equal
  EXPECT_FLOAT_EQ(s.lineStartX, 15);
  EXPECT_FLOAT_EQ(s.lineStartY, 120);
  core::Syuten(s, 525);  // above the top-right corner: leaves through the top edge at 99.475
  EXPECT_FLOAT_EQ(s.lineEndX, 114.475f);
  EXPECT_FLOAT_EQ(s.lineEndY, 50);
  core::Syuten(s, 0);  // exactly at amountMax: both bounds inclusive, so the right-edge rule
  EXPECT_FLOAT_EQ(s.lineEndX, 115);
  EXPECT_FLOAT_EQ(s.lineEndY, 50);
}

// The first power of ten times the start step whose ticks fit; where none fits, the search still
// ends, on the largest finite step (0 marks those cases here).
TEST(TickSteps, SmallestPowerOfTenThatFits) {
  struct Case {
    float area, start, room, measure, step;
  };
  for (const Case& c : {
           Case{100000, 1, 70, 3.2f, 10000},  // fit 21
           Case{100, 1, 100, 5, 10},          // fit 20
           Case{200, 1, 100, 5, 10},          // exactly fit x 10: equality accepted
           Case{201, 1, 100, 5, 100},
           Case{5, 1, 100, 5, 1},  // never below the start step
           Case{0, 1, 100, 5, 1},  // empty or reversed selections
           Case{-40, 1, 100, 5, 1},
           Case{1e6f, 1, 40, 5, 1e6f},  // fit 8: 1e6 / 1e5 = 10 > 8, so 1e6
           Case{100, 0, 100, 5, 0},     // a zero start step cannot grow; it stops at once
           Case{100, 1, 2, 5, 0},       // fit 0
           Case{100, 1, 100, std::nanf(""), 0},
       }) {
    const float step = chart::tickStep(c.area, c.start, c.room, c.measure);
    SCOPED_TRACE(std::to_string(c.area) + " from " + std::to_string(c.start));
    EXPECT_TRUE(std::isfinite(step));
    if (c.step != 0 || c.start == 0)
      EXPECT_EQ(step, c.step);
    else
      EXPECT_GE(step, 1e38f);
  }
}

TEST(TickSteps, BarasiAndZappariUseTheirOwnAxis) {
  core::ChartState s = startState();
  chart::Barasi(s, 100000, 1, 3.2f);
  chart::Zappari(s, 100, 1, 5);
  EXPECT_EQ(s.amountStep, 10000);
  EXPECT_EQ(s.priceStep, 10);
  s.graphHeight = 30;  // fewer label lines fit: a factor of ten more
  chart::Barasi(s, 100000, 1, 3.2f);
  EXPECT_EQ(s.amountStep, 100000);
}

TEST(AmountLines, BorderWalkAccumulatesFloatRounding) {
  core::ChartState s = startState();
  chart::Border(s, 50000);
  EXPECT_FLOAT_EQ(s.tierStartPrice, 0.01f);
  EXPECT_NEAR(s.tierEndPrice, 49.9976, 5e-5);
  EXPECT_NE(s.tierEndPrice, 49.99f);  // not an exact multiple of 0.01
  chart::Border(s, 200000);
  EXPECT_NEAR(s.tierStartPrice, 50.0076, 5e-5);
  EXPECT_NEAR(s.tierEndPrice, 199.9994, 5e-5);
}

TEST(AmountLines, StartViewSegments) {
  core::ChartState s = startState();
  const auto lines = amountLines(s);
  ASSERT_EQ(lines.size(), 4u);  // segments 3 and 6 start right of priceMax
  expectSegment(lines[0], 15.01f, 119.6255f, 64.9976f, 84.6342f, core::RGB(128, 255, 128));
  expectSegment(lines[1], 65.0076f, 84.2597f, 113.95f, 50, core::RGB(0, 255, 0));
  expectSegment(lines[2], 15.525f, 120, 64.9976f, 85.3692f, core::RGB(255, 255, 128));
  EXPECT_EQ(lines[3].colour, core::RGB(255, 255, 0));
  EXPECT_NEAR(lines[3].x2, 115, 5e-4);
  EXPECT_NEAR(lines[3].y2, 50.735, 5e-4);
}

TEST(AmountLines, LargeQuantityRejectsTheOpenTierInTheStartView) {
  core::ChartState s = startState(250000);
  chart::Border(s, 50000);
  EXPECT_NEAR(s.tierEndPrice, 0.19, 0.005);
  chart::Border(s, 200000);
  EXPECT_NEAR(s.tierEndPrice, 0.7999, 0.0005);
  core::ChartState t = startState(250000);
  for (const auto& seg : amountLines(t)) {
    EXPECT_NE(seg.colour, core::RGB(0, 128, 0));  // its amount at 0.81 is above 100000
    EXPECT_NE(seg.colour, core::RGB(255, 128, 64));
  }
  // In a view that reaches those amounts the dark green and orange segments appear.
  t.amountSpan = t.amountMax = 30000000;
  const auto lines = amountLines(t);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2].colour, core::RGB(0, 128, 0));
  EXPECT_EQ(lines[5].colour, core::RGB(255, 128, 64));
}

TEST(AmountLines, ViewsWhollyAboveOrBelowDrawNothing) {
  core::ChartState above = startState();
  above.amountMin = 200000;  // A(priceMax) = 101575 <= amountMin
  above.amountMax = 300000;
  EXPECT_TRUE(amountLines(above).empty());
  core::ChartState below = startState();
  below.priceMin = 200;  // A(priceMin) >= amountMax
  below.priceMax = 300;
  EXPECT_TRUE(amountLines(below).empty());
}

TEST(AmountLines, QuantityNotAboveZeroDrawsNothingAndEnds) {
  for (float q : {0.0f, -1000.0f, std::nanf("")}) {
    core::ChartState s = startState(q);
    EXPECT_TRUE(amountLines(s).empty()) << q;
  }
}

// A quantity of 1 with borders far beyond 2^18 yen, where 0.01 no longer moves a float: each
// tier ends on the last float below its border and the next starts on the float after it, and
// the whole pass ends.
TEST(AmountLines, WalkGoesOnOneFloatAtATimeWhereFloatsStopAdvancing) {
  for (const float q : {1.0f, 0.001f}) {
    core::ChartState s = startState(q);
    s.settings.fees = {{1'000'000, 100}, {1'000'000'000, 200}, {std::nullopt, 300}};
    s.tierStartPrice = s.tierEndPrice = 0;
    for (const double threshold : {1e6, 1e9}) {
      chart::Border(s, static_cast<float>(threshold));
      const float next = std::nextafter(s.tierEndPrice, std::numeric_limits<float>::infinity());
      EXPECT_LT(static_cast<double>(q) * s.tierEndPrice, threshold) << q;
      EXPECT_GE(static_cast<float>(static_cast<double>(q) * next), threshold) << q;
    }
    core::showView(s, {0, 2e12f, 0, 2e12f});
    s.priceMax = s.amountMax = 2e12f;
    EXPECT_EQ(amountLines(s).size(), 6u) << q;
  }
}

TEST(FormatAmount, GroupsWholeAmounts) {
  EXPECT_EQ(chart::FormatAmount("1234567"), "1,234,567");
  EXPECT_EQ(chart::FormatAmount("100000"), "100,000");
  EXPECT_EQ(chart::FormatAmount("999.6"), "1,000");
  EXPECT_EQ(chart::FormatAmount("0"), "0");
  EXPECT_EQ(chart::FormatAmount("-1234.4"), "-1,234");
  EXPECT_EQ(chart::FormatAmount("1E+07"), "10,000,000");
  EXPECT_EQ(chart::FormatAmount("-10000"), "-10,000");
}

// The walk taken in runs must land on exactly the float the step-by-step walk reaches, for every
// quantity the buttons make and for typed ones, from the start and from the first border.
TEST(AmountLines, FastWalkLandsOnTheSameFloatAsTheStepByStepWalk) {
  std::vector<float> quantities;
  for (int q = 1000; q <= 250000; q += 1000) quantities.push_back(static_cast<float>(q));
  for (float q : {1.0f, 3.7f, 12.5f, 99.99f, 333.0f, 1234.5f, 7777.7f, 1e6f, 3e7f, 0.3f, 0.1f})
    quantities.push_back(q);
  const core::ChartState start = startState();
  const float low = static_cast<float>(core::tierThreshold(start, 0));
  const float high = static_cast<float>(core::tierThreshold(start, 1));
  for (float q : quantities) {
    for (float threshold : {low, high}) {
      for (float from : {0.0f, walkStepByStep(q, 0, low)}) {
        EXPECT_EQ(chart::walkFast(q, from, threshold), walkStepByStep(q, from, threshold))
            << "quantity " << q << " from " << from << " to " << threshold;
      }
    }
  }
}

// The drawn lines, the amount markers and the readout all charge the state's fees: with the
// built-in schedule, and with one, three and seven tiers no copy elsewhere could know, each tier's
// drawn segment ends where the marker of a trade at that price stands, and a round trip there
// costs twice its fee.
TEST(FeeSchedule, AmountLinesMarkersAndReadoutAgreeAtEveryTierBorder) {
  std::vector<std::vector<core::FeeTierSetting>> schedules = {
      core::builtInSettings().fees,
      {{std::nullopt, 777}},
      {{60000, 100}, {150000, 20000}, {std::nullopt, 30000}},
      {{20000, 0},
       {50000, 100},
       {90000, 250},
       {120000, 480},
       {160000, 700},
       {200000, 1000},
       {std::nullopt, 2000}}};
  for (const auto& fees : schedules) {
    core::ChartState s = startState(1000);
    s.settings.fees = fees;
    core::showView(s, {0, 300, 0, 400000});  // every tier in view
    s.priceMax = 300;
    s.amountMax = 400000;
    const std::vector<Segment> lines = amountLines(s);
    ASSERT_EQ(lines.size(), 2 * fees.size());
    // The border prices, walked as the program walks them: each tier's last and first price; and
    // one price inside the last tier.
    std::vector<std::pair<float, std::size_t>> borders;  // price, its tier
    s.tierStartPrice = s.tierEndPrice = 0;
    for (std::size_t tier = 0; tier + 1 < fees.size(); ++tier) {
      chart::Border(s, static_cast<float>(*fees[tier].below));
      borders.push_back({s.tierEndPrice, tier});
      borders.push_back({static_cast<float>(s.tierEndPrice + chart::kWalkStep), tier + 1});
    }
    for (const auto& [price, tier] : borders) {
      setTrade(s, s.quantity, price, price);
      const trade::Marker m = trade::amountMarker(s, trade::Side::Buy, 3, [](auto) { return 0; });
      ASSERT_TRUE(m.line) << price;
      // The buy marker stands on an end of its tier's drawn segment.
      const Segment& seg = lines[tier];
      const bool onStart = seg.x1 == core::FuncX(s, price) && seg.y1 == m.line->y1;
      const bool onEnd = seg.x2 == core::FuncX(s, price) && seg.y2 == m.line->y1;
      EXPECT_TRUE(onStart || onEnd) << fees.size() << " tiers: tier " << tier << " at " << price;
      EXPECT_EQ(trade::profitLossReadout(s).caption,
                core::formatGrouped(-2.0 * static_cast<double>(fees[tier].fee)))
          << fees.size() << " tiers: tier " << tier << " at " << price;
    }
    setTrade(s, s.quantity, 250, 250);
    EXPECT_EQ(trade::profitLossReadout(s).caption,
              core::formatGrouped(-2.0 * static_cast<double>(fees.back().fee)));
  }
}

TEST(FormatAmountIn, WholeYenWrittenExactlyInTheUnit) {
  const std::vector<std::tuple<const char*, int, const char*>> cases = {
      {"1900000", 4, "190"},
      {"1234567", 4, "123.4567"},
      {"-25", 4, "-0.0025"},
      {"999.6", 4, "0.1"},
      {"1.234568E+07", 4, "1,234.568"},
      {"0", 8, "0"},
      {"3.402823E+38", 12, "340,282,300,000,000,000,000,000,000"},
      {"abc", 4, "abc"}};
  for (const auto& [text, power, expected] : cases)
    EXPECT_EQ(chart::FormatAmountIn(text, power), expected) << text << " / 10^" << power;
}

// Every amount tick label stays whole, inside the window and left of the axis, and reads as its
// tick's value: in yen where all of them fit today (and exactly where they stood), otherwise in
// the first unit in which they fit, or the one with the fewest decimals that fits nearer the axis,
// named on the line under the axis title.
TEST(GraphMake, AmountLabelsStayWholeAndReadAsTheirValues) {
  struct Case {
    float amountMin, amountSpan;
    int power;  // of the unit; 0: yen
    const char* unit;
    bool asToday;  // every label where it stood before there were units
  };
  const std::vector<Case> cases = {
      {0, 100000, 0, "", true},
      {-40000, 100000, 0, "", true},
      {0, 1900000, 4, "（万円）", false},
      {1234567, 300000, 4, "（万円）", false},
      {-2500000, 5000000, 4, "（万円）", false},
      {0, 3e12f, 8, "（億円）", false},
      {0, 3e16f, 12, "（兆円）", false},
      // 億円 would fit 2 mm from the axis, with five decimals; 万円 fits nearer it, with one.
      {9.9999e8f, 20000, 4, "（万円）", false},
      {1e30f, 1e30f, 0, "", false},           // in exponent form
      {-3.123457e38f, 1e37f, 0, "", false}};  // too wide for any form: from the window's edge
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.amountMin) + " + " + std::to_string(c.amountSpan));
    core::ChartState s = startState();
    s.amountMin = c.amountMin;
    s.amountSpan = c.amountSpan;
    RecordingCanvas canvas;
    chart::GraphMake(s, canvas);

    // First "単価", then "受渡金額" ending at the axis two lines above the plot, or with a unit
    // one line higher and the unit under it.
    const float top = s.graphBottom - s.graphHeight;
    const std::size_t titles = c.power ? 3 : 2;
    ASSERT_GT(canvas.printed.size(), titles);
    EXPECT_EQ(canvas.printed[1].text, "受渡金額");
    EXPECT_FLOAT_EQ(canvas.printed[1].x + canvas.TextWidth("受渡金額"), s.graphLeft);
    EXPECT_FLOAT_EQ(canvas.printed[1].y, top - (c.power ? 9 : 6));
    if (c.power) {
      EXPECT_EQ(canvas.printed[2].text, c.unit);
      EXPECT_FLOAT_EQ(canvas.printed[2].x + canvas.TextWidth(c.unit), s.graphLeft);
    }

    // The amount labels follow the price labels (which stand below the plot).
    float offset = 0;
    int labels = 0;
    for (std::size_t n = titles; n < canvas.printed.size(); ++n) {
      const auto& p = canvas.printed[n];
      if (p.y > s.graphBottom) continue;
      const std::string plain = core::plainFloat(offset + s.amountMin);
      offset += s.amountStep;
      ++labels;
      SCOPED_TRACE(p.text + " for " + plain);
      EXPECT_GE(p.x, 0);
      EXPECT_TRUE(p.x + canvas.TextWidth(p.text) <= s.graphLeft || p.x == 0);
      if (c.asToday) {
        EXPECT_FLOAT_EQ(p.x, s.graphLeft - canvas.TextWidth(plain) - 2);
      }
      const auto shown = core::readExact(p.text);
      ASSERT_TRUE(shown.has_value());
      EXPECT_EQ(core::Decimal::fromDigits(shown->sign() < 0, shown->digits(),
                                          shown->exponent() + c.power),
                *core::readExact(chart::FormatAmount(plain)));
    }
    EXPECT_GE(labels, 2);
  }
}

// 100,000 shares fitted between 99,999 and 100,000: amounts near ten billion yen, where floats lie
// 1,024 yen apart. The labels read the grid's values, not the seven digits of the floats beside
// them ("99.99981" 億円 on the line of 99.9998).
TEST(GraphMake, AmountLabelsOfHugeAmountsReadTheGridsValues) {
  core::ChartState s = startState();
  s.amountMin = 9'999'880'000.0f;
  s.amountSpan = 130'000;
  RecordingCanvas canvas;
  chart::GraphMake(s, canvas);
  ASSERT_GE(s.amountStep, 10'000);
  const int power = canvas.printed[2].text == "（億円）"   ? 8
                    : canvas.printed[2].text == "（万円）" ? 4
                                                           : 0;
  int labels = 0;
  for (std::size_t n = power ? 3 : 2; n < canvas.printed.size(); ++n) {
    const auto& p = canvas.printed[n];
    if (p.y > s.graphBottom) continue;
    const auto shown = core::readExact(p.text);
    ASSERT_TRUE(shown.has_value()) << p.text;
    EXPECT_GE(shown->exponent() + power, 4) << p.text;  // a whole number of ten thousands
    ++labels;
  }
  EXPECT_GE(labels, 5);
}

// No two price labels touch: where the labels of the step the "MM" search gives would, the grid
// takes the next larger step; wherever they fit, the step is that search's.
TEST(GraphMake, PriceLabelsNeverTouch) {
  struct Case {
    float priceMin, priceSpan;
    bool asToday;
  };
  for (const Case& c :
       {Case{0, 100, true}, Case{0, 10, true}, Case{99990, 5, true}, Case{1212, 61, true},
        Case{0, 30, false}, Case{1230, 25, false}, Case{-30, 30, false}, Case{1e6f, 20, false}}) {
    SCOPED_TRACE(std::to_string(c.priceMin) + " + " + std::to_string(c.priceSpan));
    core::ChartState s = startState();
    s.priceMin = c.priceMin;
    s.priceSpan = c.priceSpan;
    RecordingCanvas canvas;
    chart::GraphMake(s, canvas);
    const float searched = chart::tickStep(c.priceSpan, 1, s.graphWidth, canvas.TextWidth("MM"));
    if (c.asToday)
      EXPECT_EQ(s.priceStep, searched);
    else
      EXPECT_GT(s.priceStep, searched);
    std::vector<RecordingCanvas::Printed> labels;
    for (const auto& p : canvas.printed)
      if (p.y > s.graphBottom && p.text != "単価") labels.push_back(p);
    ASSERT_GE(labels.size(), 2u);
    for (std::size_t n = 1; n < labels.size(); ++n)
      EXPECT_GT(labels[n].x, labels[n - 1].x + canvas.TextWidth(labels[n - 1].text))
          << labels[n - 1].text << labels[n].text;
  }
}
