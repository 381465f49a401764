// The pointer on the chart: a wheel notch zooms in around it exactly as two clicks on that
// rectangle would, or zooms out; Esc drops a pending selection; and the readout under a resting
// pointer says the price there and both settlement amounts, as the amount labels write them.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QWheelEvent>

#include "app/tk/readout_tip.h"
#include "core/fee_schedule.h"
#include "core/mapping.h"
#include "core/number_text.h"
#include "trade/markers.h"
#include "view/navigation.h"
#include "view/zoom_snap.h"
#include "view_window.h"

namespace {

// The start view's plot area: 100 x 70 mm at (15, 50)-(115, 120), prices 0..100.
ChartState startChart(float quantity) {
  ChartState s;
  setStartView(s);
  loadFeeSchedule(s);
  s.quantity = quantity;
  return s;
}

}  // namespace

TEST(WheelZoomArea, HalfThePlotAroundThePointerShiftedInside) {
  struct Case {
    float x, y;
    view::AreaRect expected;
  };
  const ChartState s = startChart(1000);
  for (const Case& c : {
           Case{65, 85, {40, 67.5f, 50, 35}},     // the middle: centred
           Case{30, 85, {15, 67.5f, 50, 35}},     // near the left edge: shifted right
           Case{15, 85, {15, 67.5f, 50, 35}},     // on the left edge
           Case{100, 85, {65, 67.5f, 50, 35}},    // near the right edge: shifted left
           Case{65, 55, {40, 50, 50, 35}},        // near the top
           Case{65, 110, {40, 85, 50, 35}},       // near the bottom
           Case{15, 50, {15, 50, 50, 35}},        // the top-left corner
           Case{115, 120, {65, 85, 50, 35}},      // the bottom-right corner
           Case{90.5f, 102.5f, {65, 85, 50, 35}}  // exactly as far in as half the rectangle
       }) {
    const view::AreaRect r = view::wheelZoomArea(s, c.x, c.y);
    EXPECT_EQ(r.left, c.expected.left) << c.x << ", " << c.y;
    EXPECT_EQ(r.top, c.expected.top) << c.x << ", " << c.y;
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
  }
}

TEST(PointerReadout, PriceAndAmountsAcrossTheFeeTiers) {
  struct Case {
    float quantity, price;
    const char* buy;
    const char* sell;
  };
  for (const Case& c : {
           Case{1000, 49.99f, "買 \\50,515", "売 \\49,465"},  // the last price of the low tier
           Case{1000, 50.00f, "買 \\51,050", "売 \\48,950"},  // the first of the middle tier
           Case{1000, 199.99f, "買 \\201,040", "売 \\198,940"},
           Case{1000, 200.00f, "買 \\201,575", "売 \\198,425"},
           Case{1000, 35.20f, "買 \\35,725", "売 \\34,675"},
           Case{1000, 0.00f, "買 \\525", "売 -\\525"},
           Case{250000, 99.99f, "買 \\24,999,070", "売 \\24,995,920"},  // 7 digits, as printed
       }) {
    SCOPED_TRACE(c.price);
    const ChartState s = startChart(c.quantity);
    const auto lines = trade::pointerReadout(s, c.price);
    EXPECT_EQ(lines[0], "単価 " + numtext::format0_00(c.price));
    EXPECT_EQ(lines[1], c.buy);
    EXPECT_EQ(lines[2], c.sell);
    // The amount labels at that price say the same.
    ChartState marked = s;
    marked.amountMin = -1e9f;
    marked.amountMax = 1e9f;
    marked.amountSpan = 2e9f;
    marked.buyPrice = marked.sellPrice = c.price;
    const auto width = [](std::string_view) { return 10.0f; };
    EXPECT_EQ(trade::amountMarker(marked, trade::Side::Buy, 3, width).caption, lines[1]);
    EXPECT_EQ(trade::amountMarker(marked, trade::Side::Sell, 3, width).caption, lines[2]);
  }
}

TEST(PointerReadout, PriceIsTheMappingBackwardsToTheCent) {
  struct Case {
    float x;
    float price;
  };
  ChartState s = startChart(1000);
  showView(s, {20, 10, 0, 100000});  // 0.1 per millimetre
  for (const Case& c : {Case{15, 20}, Case{115, 30}, Case{65, 25}, Case{65.04f, 25.00f},
                        Case{65.06f, 25.01f}, Case{16.26f, 20.13f}}) {
    EXPECT_EQ(trade::pointerPrice(s, c.x), c.price) << c.x;
    EXPECT_NEAR(FuncX(s, trade::pointerPrice(s, c.x)), c.x, 0.05) << c.x;
  }
}

// ---- on the window ----

namespace {

class PointerWindow : public ViewWindowTest {
 protected:
  void clickMm(double x, double y) { pressAt(px(x, y)); }
  void moveMm(double x, double y) { moveTo(px(x, y)); }
  bool pending() { return state().selectionActive != kFalse; }
  float midX() { return state().graphLeft + state().graphWidth / 2; }
  float midY() { return state().graphBottom - state().graphHeight / 2; }
  // A real wheel turn at a point in millimetres, as the window receives it.
  void wheelAt(double xMm, double yMm, int delta) {
    const QPointF at(tk::mmToPx(xMm), tk::mmToPx(yMm));
    QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);
  }
  // The pointer rests at a window pixel long enough for a tool tip.
  void restAt(QPoint p) {
    QHelpEvent help(QEvent::ToolTip, p, window->mapToGlobal(p));
    QApplication::sendEvent(window.get(), &help);
  }
  tk::ReadoutTip* tip() { return ui().TipReadout; }
  bool tipShown() { return tip()->isVisible(); }
  // The first pixel column whose price is `price` (the view is dense enough to have one).
  QPoint pixelAtPrice(float price) {
    const int y = static_cast<int>(tk::mmToPx(midY()));
    for (int x = static_cast<int>(tk::mmToPx(state().graphLeft)) + 1;
         tk::pxToMm(x) < state().graphLeft + state().graphWidth; ++x)
      if (trade::pointerPrice(state(), static_cast<float>(tk::pxToMm(x))) == price) return {x, y};
    ADD_FAILURE() << "no pixel at " << price;
    return {};
  }
};

}  // namespace

TEST_F(PointerWindow, WheelZoomIsTheTwoClickZoomOfItsRectangle) {
  struct Case {
    const char* where;
    float x, y;
  };
  const float l = state().graphLeft, r = l + state().graphWidth, b = state().graphBottom;
  const float t = b - state().graphHeight;
  const Case cases[] = {{"middle", midX(), midY()},     {"left edge", l, midY()},
                        {"right edge", r, midY()},      {"top-left", l + 1, t + 1},
                        {"bottom-right", r - 1, b - 1}, {"off-centre", l + 30, b - 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    const SavedView before = shown();
    const view::AreaRect area = view::wheelZoomArea(state(), c.x, c.y);
    probe().Form_MouseWheel(c.x, c.y, 1);
    const SavedView wheeled = shown();
    const float step = state().priceStep;
    const std::size_t history = entries();
    EXPECT_EQ(index(), history - 1);
    EXPECT_TRUE(undoEnabled());
    EXPECT_FALSE(redoEnabled());

    probe().CmdUndo_Click();
    ASSERT_EQ(shown(), before);
    probe().Form_MouseDown(area.left, area.top);
    probe().Form_MouseMove(area.left + area.width, area.top + area.height);
    probe().Form_MouseDown(area.left + area.width, area.top + area.height);
    EXPECT_EQ(shown(), wheeled);
    EXPECT_EQ(state().priceStep, step);
    EXPECT_EQ(entries(), history);
    probe().CmdUndo_Click();
  }
}

TEST_F(PointerWindow, WheelTowardZoomsOutAndOnlyOverAFreePlotArea) {
  const SavedView start = shown();
  wheelAt(midX(), midY(), -120);
  EXPECT_EQ(shown(), view::zoomedOut([&] {
              ChartState s = state();
              showView(s, start);
              return s;
            }()));
  EXPECT_EQ(entries(), 2u);

  // Off the plot area, or with a selection pending: nothing, and the selection stays.
  const SavedView out = shown();
  markDisplayList();
  wheelAt(state().graphLeft - 1, midY(), 120);
  wheelAt(midX(), state().graphBottom + 1, -120);
  probe().Form_MouseDown(midX(), midY());
  wheelAt(midX(), midY(), 120);
  wheelAt(midX(), midY(), -120);
  EXPECT_TRUE(pending());
  EXPECT_EQ(shown(), out);
  EXPECT_EQ(entries(), 2u);
  EXPECT_TRUE(displayListMarked());

  // High-resolution turns zoom once their parts make a notch.
  state().selectionActive = kFalse;
  wheelAt(midX(), midY(), 60);
  EXPECT_EQ(entries(), 2u);
  wheelAt(midX(), midY(), 60);
  EXPECT_EQ(entries(), 3u);
  EXPECT_LT(state().priceSpan, out[1]);
}

TEST_F(PointerWindow, EscDropsOnlyAPendingSelection) {
  struct Case {
    const char* focus;
    bool pendingBefore;
  };
  int moves = 0;
  for (const Case& c : {Case{"window", true}, Case{"window", false}, Case{"buy field", true},
                        Case{"step button", true}, Case{"buy field", false}}) {
    SCOPED_TRACE(std::string(c.focus) + (c.pendingBefore ? " pending" : " idle"));
    if (c.pendingBefore) {
      clickMm(60, 100);
      EXPECT_TRUE(pending());
      moveMm(90 + 5 * ++moves, 110);  // (a move to where the pointer already is is no move)
      ASSERT_TRUE(ui().ShpArea->isVisible());
    }
    const SavedView before = shown();
    const std::size_t history = entries();
    const QString text = ui().TxtBP->text();
    QWidget* target = window.get();
    if (c.focus == std::string("buy field")) target = ui().TxtBP;
    if (c.focus == std::string("step button")) target = ui().CmdSUp;
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_FALSE(pending());
    EXPECT_FALSE(ui().ShpArea->isVisible());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(entries(), history);
    EXPECT_EQ(ui().TxtBP->text(), text);
    // The next click starts a new selection rather than completing the dropped one.
    clickMm(70, 100);
    EXPECT_TRUE(pending());
    EXPECT_EQ(entries(), history);
    QTest::keyClick(window.get(), Qt::Key_Escape);
  }
}

TEST_F(PointerWindow, ReadoutSaysPriceAndAmountsAtTheTierBorder) {
  showView(state(), {47, 5, 40000, 15000});  // about 0.007 per pixel
  probe().ReDraw();
  struct Case {
    float price;
    const char* text;
  };
  for (const Case& c : {Case{49.99f, "単価 49.99\n買 ¥50,515\n売 ¥49,465"},
                        Case{50.00f, "単価 50.00\n買 ¥51,050\n売 ¥48,950"}}) {
    const QPoint p = pixelAtPrice(c.price);
    restAt(p);
    ASSERT_TRUE(tipShown()) << c.price;
    EXPECT_EQ(tip()->text(), QString::fromUtf8(c.text));
    EXPECT_TRUE(ui().chartArea->accessibleDescription().endsWith(QString::fromUtf8(c.text)));
    // It stands beside the pointer.
    const QPoint offset = tip()->pos() - window->mapToGlobal(p);
    EXPECT_TRUE(offset.x() >= 0 && offset.x() < 10 && offset.y() > 0 && offset.y() < 30);
  }
  // The description follows the trade at the point last shown.
  ui().TxtQua->setText(QStringLiteral("2000"));
  EXPECT_TRUE(ui().chartArea->accessibleDescription().endsWith(
      QStringLiteral("単価 50.00\n買 ¥101,050\n売 ¥98,950")));
}

TEST_F(PointerWindow, ReadoutFollowsThePointerAndNeverTakesAClick) {
  const QPoint inside = px(midX(), midY());
  restAt(inside);
  ASSERT_TRUE(tipShown());
  const QString first = tip()->text();

  const QPoint further = inside + QPoint(40, 10);
  moveTo(further);
  EXPECT_TRUE(tipShown());
  EXPECT_NE(tip()->text(), first);
  EXPECT_EQ(tip()->text().section(QLatin1Char('\n'), 0, 0),
            QStringLiteral("単価 ") + tk::qs(numtext::format0_00(trade::pointerPrice(
                                          state(), static_cast<float>(tk::pxToMm(further.x()))))));

  moveTo(px(state().graphLeft - 3, midY()));  // off the plot area
  EXPECT_FALSE(tipShown());

  // A press where it shows still starts a selection, and hides it; while pending it stays hidden.
  restAt(inside);
  ASSERT_TRUE(tipShown());
  pressAt(inside);
  EXPECT_FALSE(tipShown());
  EXPECT_TRUE(pending());
  restAt(inside);
  EXPECT_FALSE(tipShown());
  pressAt(inside + QPoint(60, 30));
  EXPECT_FALSE(pending());
  EXPECT_EQ(entries(), 2u);

  // Over the window outside the plot area there is none.
  restAt(px(state().graphLeft + 5, state().graphBottom + 3));
  EXPECT_FALSE(tipShown());
  restAt(inside);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window.get(), &leave);
  EXPECT_FALSE(tipShown());
}
