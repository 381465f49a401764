// The rectangle zoom: which presses count, the rubber band, the snapping of the new view to whole
// tick steps, and the selection's life on the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <cmath>

#include "core/mapping.h"
#include "view/zoom_snap.h"
#include "view_window.h"

namespace {

// A 100 x 70 mm plot area at (15, 120) showing prices lo..hi and amounts lo..hi.
core::ChartState chartOver(float priceMin, float priceMax, float amountMin, float amountMax) {
  core::ChartState s;
  s.graphLeft = 15;
  s.graphWidth = 100;
  s.graphBottom = 120;
  s.graphHeight = 70;
  s.priceMin = priceMin;
  s.priceMax = priceMax;
  s.priceSpan = priceMax - priceMin;
  s.amountMin = amountMin;
  s.amountMax = amountMax;
  s.amountSpan = amountMax - amountMin;
  return s;
}

// The rectangle covering the given prices and amounts on that chart.
view::AreaRect areaOver(const core::ChartState& s, double priceLow, double priceHigh,
                        double amountLow, double amountHigh) {
  const auto x = [&](double p) {
    return s.graphLeft + (p - s.priceMin) / s.priceSpan * s.graphWidth;
  };
  const auto y = [&](double a) {
    return s.graphBottom - (a - s.amountMin) / s.amountSpan * s.graphHeight;
  };
  return {static_cast<float>(x(priceLow)), static_cast<float>(y(amountHigh)),
          static_cast<float>(x(priceHigh) - x(priceLow)),
          static_cast<float>(y(amountLow) - y(amountHigh))};
}

}  // namespace

TEST(ZoomSnap, RoundsHalvesToEvenWithin32Bits) {
  struct Case {
    float v;
    std::optional<std::int32_t> expected;
  };
  for (const Case& c : {Case{2.5f, 2}, Case{3.5f, 4}, Case{-2.5f, -2}, Case{57.8f, 58},
                        Case{67890.4f, 67890}, Case{2147483520.f, 2147483520},
                        Case{-2147483648.f, INT32_MIN}, Case{2147483648.f, std::nullopt},
                        Case{-2147483904.f, std::nullopt}, Case{NAN, std::nullopt}}) {
    EXPECT_EQ(view::roundToInt32(c.v), c.expected) << c.v;
  }
}

TEST(ZoomSnap, UpperEndIsTheStepMultipleAboveTheRoundedEdge) {
  struct Case {
    float high, step;
    std::optional<double> expected;
  };
  for (const Case& c : {
           Case{57.8f, 1, 59},                    // step 1: always one past the rounded edge
           Case{58.0f, 1, 59}, Case{2.5f, 1, 3},  // 2.5 rounds to 2
           Case{57.8f, 10, 60}, Case{59.7f, 10, 60},
           Case{150.4f, 10, 150},  // R a multiple of the step: the last 0.4 falls outside
           Case{67890, 10000, 70000}, Case{250, 100, 300}, Case{0.3f, 10, 0},
           Case{2147483520.f, 1, 2147483521.0},
           Case{3e9f, 1, std::nullopt},     // the edge needs more than 32 bits
           Case{500, 1e10f, std::nullopt},  // so does the step
       }) {
    EXPECT_EQ(view::snappedUpperEnd(c.high, c.step), c.expected) << c.high << " / " << c.step;
  }
}

TEST(ZoomSnap, PlotAreaBoundsAreInclusiveAfterSinglePrecisionRounding) {
  core::ChartState s = chartOver(0, 100, 0, 100000);
  struct Case {
    float x, y;
    bool inside;
  };
  for (const Case& c :
       {Case{15, 50, true}, Case{115, 120, true}, Case{60, 80, true},
        Case{std::nextafter(15.f, 0.f), 80, false}, Case{std::nextafter(115.f, 200.f), 80, false},
        Case{60, std::nextafter(50.f, 0.f), false},
        Case{60, std::nextafter(120.f, 200.f), false}}) {
    EXPECT_EQ(view::insidePlotArea(s, c.x, c.y), c.inside) << c.x << ", " << c.y;
  }
  // 15 + width rounds up to the next float and bottom - height down to 119: points on those
  // rounded edges count as inside.
  s.graphWidth = 113 + 3 * 0x1p-17f;
  s.graphBottom = 120;
  s.graphHeight = 1 - 0x1p-24f;
  EXPECT_TRUE(view::insidePlotArea(s, 128 + 0x1p-15f, 119));
}

TEST(ZoomSnap, RubberBandSpansAnchorAndPointerInEveryDirection) {
  struct Case {
    float x, y;
    view::AreaRect expected;
  };
  for (const Case& c : {Case{70, 90, {50, 80, 20, 10}}, Case{30, 90, {30, 80, 20, 10}},
                        Case{70, 60, {50, 60, 20, 20}}, Case{30, 60, {30, 60, 20, 20}},
                        Case{50, 80, {50, 80, 0, 0}}}) {
    const view::AreaRect r = view::rubberBand(50, 80, c.x, c.y);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
  }
}

TEST(ZoomSnap, NewViewWidensTheRectangleToWholeSteps) {
  struct Case {
    const char* what;
    core::SavedView chart;  // shown view: priceMin, priceMax, amountMin, amountMax
    double pLow, pHigh, aLow, aHigh;
    float labelWidth;  // 2 mm lets 50 price labels fit, 4 mm 25
    float priceStep, amountStep;
    core::SavedView expected;
  };
  const Case cases[] = {
      {"step 1",
       {0, 100, 0, 100000},
       23.4,
       57.8,
       12345,
       67890,
       2,
       1,
       10000,
       {23, 36, 10000, 60000}},
      {"step 10",
       {0, 100, 0, 100000},
       23.4,
       57.8,
       12345,
       67890,
       4,
       10,
       10000,
       {20, 40, 10000, 60000}},
      {"edges on multiples",
       {100, 200, 0, 100000},
       118.9,
       150.4,
       0,
       1000,
       4,
       10,
       100,
       {110, 40, 0, 1000}},
      {"narrow",
       {100, 200, 50000, 150000},
       112.34,
       112.84,
       61234.5,
       61299.9,
       4,
       1,
       10,
       {112, 2, 61230, 70}},
      {"one point", {0, 100, 0, 100000}, 23.6, 23.6, 40000.3, 40000.3, 4, 1, 1, {23, 2, 40000, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const core::ChartState s = chartOver(c.chart[0], c.chart[1], c.chart[2], c.chart[3]);
    const auto plan =
        view::planZoom(s, areaOver(s, c.pLow, c.pHigh, c.aLow, c.aHigh), c.labelWidth, 3.2f);
    ASSERT_TRUE(plan);
    EXPECT_NEAR(plan->areaPriceLow, c.pLow, 1e-3);
    EXPECT_NEAR(plan->areaAmountHigh, c.aHigh, 1e-2);
    EXPECT_EQ(plan->priceStep, c.priceStep);
    EXPECT_EQ(plan->amountStep, c.amountStep);
    EXPECT_EQ(plan->view, c.expected);
  }
}

TEST(ZoomSnap, ViewsBeyond32BitsAreNotPlanned) {
  const core::ChartState s = chartOver(0, 100, 3e9f, 3.0001e9f);
  EXPECT_FALSE(view::planZoom(s, areaOver(s, 20, 30, 3.00002e9, 3.00005e9), 4, 3.2f));
  const core::ChartState fine = chartOver(0, 100, 2e9f, 2.0001e9f);
  EXPECT_TRUE(view::planZoom(fine, areaOver(fine, 20, 30, 2.00002e9, 2.00005e9), 4, 3.2f));
}

// ---- on the window ----

class ZoomWindow : public ViewWindowTest {
 protected:
  core::ChartState& s() { return state(); }
  bool pending() { return s().selectionActive != core::kFalse; }
  // A real press and move at a point given in millimetres.
  void clickMm(double x, double y, Qt::MouseButton b = Qt::LeftButton) { pressAt(px(x, y), b); }
  void moveMm(double x, double y) { moveTo(px(x, y)); }
  // Where the window sees a real event at the pixel nearest to a point.
  static float seenMm(double mm) {
    return static_cast<float>(tk::pxToMm(std::lround(tk::mmToPx(mm))));
  }
};

TEST_F(ZoomWindow, OnlyPressesInThePlotAreaStartASelection) {
  struct Case {
    const char* where;
    float x, y;
    bool accepted;
  };
  const float l = s().graphLeft, r = core::toSingle(core::plotRight(s())),
              t = core::toSingle(core::plotTop(s())), b = s().graphBottom;
  const Case cases[] = {
      {"inside", (l + r) / 2, (t + b) / 2, true},
      {"left border", l, (t + b) / 2, true},
      {"right border", r, (t + b) / 2, true},
      {"top-left corner", l, t, true},
      {"bottom-right corner", r, b, true},
      {"just left", std::nextafter(l, 0.f), (t + b) / 2, false},
      {"just right", std::nextafter(r, 1e3f), (t + b) / 2, false},
      {"just above", (l + r) / 2, std::nextafter(t, 0.f), false},
      {"just below", (l + r) / 2, std::nextafter(b, 1e3f), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    s().selectionActive = core::kFalse;
    s().anchorX = s().anchorY = -1;
    probe().Form_MouseDown(c.x, c.y);
    EXPECT_EQ(pending(), c.accepted);
    EXPECT_EQ(s().anchorX, c.accepted ? c.x : -1);
    EXPECT_EQ(s().anchorY, c.accepted ? c.y : -1);
    EXPECT_FALSE(ui().ShpArea->isVisible());  // nothing shown before the pointer moves
  }

  // Real clicks: outside first (ignored), then inside.
  s().selectionActive = core::kFalse;
  clickMm(5, 100);
  clickMm(100, 30);
  EXPECT_FALSE(pending());
  clickMm(100, 100);
  EXPECT_TRUE(pending());
  EXPECT_FLOAT_EQ(s().anchorX, seenMm(100));
}

TEST_F(ZoomWindow, ALabelOverTheChartTakesItsPresses) {
  tk::MmLabel* label = ui().LblBYaku;
  label->setLeftMm(100);
  label->setTopMm(100);
  label->show();
  ASSERT_TRUE(view::insidePlotArea(s(), 100, 100));
  click(label);
  click(label, Qt::RightButton);
  EXPECT_FALSE(pending());
  clickMm(80, 80);
  ASSERT_TRUE(pending());
  moveMm(120, 120);
  click(label);  // does not complete the selection either
  EXPECT_TRUE(pending());
  EXPECT_EQ(entries(), 1u);
}

TEST_F(ZoomWindow, RectangleFollowsThePointerWithoutRedrawing) {
  moveMm(100, 100);  // no selection: nothing happens
  EXPECT_FALSE(ui().ShpArea->isVisible());
  probe().Form_MouseDown(100, 100);
  EXPECT_FALSE(ui().ShpArea->isVisible());
  markDisplayList();
  struct Case {
    double x, y;
  };
  // Every direction from the anchor, and beyond the plot area (the rectangle is not clipped).
  for (const Case& c : {Case{130, 120}, Case{70, 120}, Case{130, 80}, Case{70, 80}, Case{5, 100}}) {
    moveMm(c.x, c.y);
    const float x = seenMm(c.x), y = seenMm(c.y);
    EXPECT_TRUE(ui().ShpArea->isVisible());
    EXPECT_FLOAT_EQ(ui().ShpArea->leftMm(), std::min(x, 100.f)) << c.x;
    EXPECT_FLOAT_EQ(ui().ShpArea->widthMm(), std::abs(x - 100.f)) << c.x;
    EXPECT_FLOAT_EQ(ui().ShpArea->topMm(), std::min(y, 100.f)) << c.y;
    EXPECT_FLOAT_EQ(ui().ShpArea->heightMm(), std::abs(y - 100.f)) << c.y;
  }
  EXPECT_TRUE(displayListMarked());
  EXPECT_TRUE(pending());
}

TEST_F(ZoomWindow, SecondClickZoomsRecordsOnceAndUndoReturns) {
  const core::SavedView before = shown();
  clickMm(40, 150, Qt::RightButton);  // any button
  moveMm(90, 100);
  clickMm(90, 100, Qt::MiddleButton);
  EXPECT_FALSE(pending());
  EXPECT_FALSE(ui().ShpArea->isVisible());
  ASSERT_EQ(entries(), 2u);
  EXPECT_EQ(state().viewHistory[1], shown());
  EXPECT_TRUE(undoEnabled());

  // The new view holds the rectangle's low side, starts on a step multiple and was drawn.
  EXPECT_NE(shown(), before);
  EXPECT_LE(s().priceMin, s().areaPriceLow);
  EXPECT_LE(s().amountMin, s().areaAmountLow);
  EXPECT_GT(s().areaPriceHigh, s().areaPriceLow);
  EXPECT_EQ(s().priceMax, s().priceMin + s().priceSpan);
  EXPECT_EQ(s().amountMax, s().amountMin + s().amountSpan);

  click(ui().CmdUndo);
  EXPECT_EQ(shown(), before);
  EXPECT_EQ(index(), 0);
}

TEST_F(ZoomWindow, TwoClicksWithoutAMoveZoomOnThatPoint) {
  // An earlier selection leaves its rectangle behind.
  clickMm(40, 150);
  moveMm(90, 100);
  clickMm(90, 100);
  const float priceMin = s().priceMin, priceSpan = s().priceSpan;
  const float x = seenMm(60);
  const double price = priceMin + (x - s().graphLeft) / s().graphWidth * priceSpan;
  clickMm(60, 120);
  clickMm(60, 120);
  EXPECT_FALSE(pending());
  EXPECT_EQ(s().priceMin, std::floor(s().areaPriceLow));
  EXPECT_NEAR(s().areaPriceLow, price, 1e-3);
  EXPECT_LE(s().priceSpan, 2);
  EXPECT_LE(s().amountSpan, 2);
}

TEST_F(ZoomWindow, PendingSelectionSurvivesNavigationEditsAndResizes) {
  clickMm(50, 140);
  moveMm(80, 110);
  const view::AreaRect r{ui().ShpArea->leftMm(), ui().ShpArea->topMm(), ui().ShpArea->widthMm(),
                         ui().ShpArea->heightMm()};
  click(ui().CmdMoveRight);
  click(ui().CmdZoom);
  click(ui().CmdUndo);
  ui().TxtBP->setText(QStringLiteral("2.00"));
  ui().TxtQua->setText(QStringLiteral("3000"));
  window->resize(window->width() + 20, window->height() + 10);
  QApplication::processEvents();
  EXPECT_TRUE(pending());
  EXPECT_TRUE(ui().ShpArea->isVisible());
  EXPECT_EQ(ui().ShpArea->leftMm(), r.left);
  EXPECT_EQ(ui().ShpArea->widthMm(), r.width);
  EXPECT_EQ(ui().ShpArea->heightMm(), r.height);
  moveMm(90, 120);  // still anchored at the first click
  EXPECT_FLOAT_EQ(ui().ShpArea->leftMm(), seenMm(50));
  clickMm(90, 120);
  EXPECT_FALSE(pending());
}

TEST_F(ZoomWindow, SecondClickNeedingMoreThan32BitsIsIgnored) {
  core::showView(s(), {0, 100, 3e9f, 1e6f});
  probe().ReDraw();
  clickMm(50, 140);
  moveMm(80, 110);
  markDisplayList();
  const core::SavedView before = shown();
  clickMm(80, 110);
  EXPECT_TRUE(pending());
  EXPECT_TRUE(ui().ShpArea->isVisible());
  EXPECT_EQ(shown(), before);
  EXPECT_EQ(entries(), 1u);
  EXPECT_TRUE(displayListMarked());

  // Back on a view that fits, the same selection completes.
  core::showView(s(), {0, 100, 0, 100000});
  probe().ReDraw();
  clickMm(80, 110);
  EXPECT_FALSE(pending());
  EXPECT_EQ(entries(), 2u);
}
