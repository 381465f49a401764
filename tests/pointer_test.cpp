// The pointer on the chart: a wheel notch zooms in around it exactly as two clicks on that
// rectangle would, or zooms out; Esc drops a pending selection; and the readout under a resting
// pointer gives the price there and both settlement amounts, as the amount labels write them.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QWheelEvent>

#include "app/tk/readout_tip.h"
#include "core/fee_schedule.h"
#include "core/number_text.h"
#include "start_state.h"
#include "trade/markers.h"
#include "view/navigation.h"
#include "view/zoom_snap.h"
#include "view_window.h"

TEST(WheelZoomArea, HalfThePlotAroundThePointerShiftedInside) {
  struct Case {
    float x, y, left, top;
  };
  core::ChartState s;
  core::setStartView(s);  // the plot area (15, 50)-(115, 120)
  for (const Case& c :
       {Case{65, 85, 40, 67.5f}, Case{30, 55, 15, 50}, Case{100, 110, 65, 85}, Case{15, 50, 15, 50},
        Case{115, 120, 65, 85}, Case{90.5f, 102.5f, 65, 85}}) {
    const view::AreaRect r = view::wheelZoomArea(s, c.x, c.y);
    EXPECT_EQ(r.left, c.left) << c.x << ", " << c.y;
    EXPECT_EQ(r.top, c.top) << c.x << ", " << c.y;
    EXPECT_EQ(r.width, 50);
    EXPECT_EQ(r.height, 35);
  }
}

TEST(PointerReadout, AmountsAcrossTheFeeTiersAreTheLabelsTexts) {
  struct Case {
    float quantity, price;
    const char* buy;
    const char* sell;
  };
  for (const Case& c :
       {Case{1000, 49.99f, "買 \\50,515", "売 \\49,465"},  // the low tier's last
        Case{1000, 50.00f, "買 \\51,050", "売 \\48,950"},  // the middle tier's first
        Case{1000, 0.00f, "買 \\525", "売 -\\525"},
        Case{250000, 99.99f, "買 \\24,999,075", "売 \\24,995,925"}}) {  // to the yen
    SCOPED_TRACE(c.price);
    core::ChartState s;
    setTrade(s, c.quantity, c.price, c.price);
    s.amountMin = -1e9f;  // every amount marker in view
    s.amountMax = s.amountSpan = 2e9f;
    const auto lines = trade::pointerReadout(s, c.price);
    EXPECT_EQ(lines[0], "単価 " + core::format0_00(c.price));
    EXPECT_EQ(lines[1], c.buy);
    EXPECT_EQ(lines[2], c.sell);
    EXPECT_EQ(lines[3], "損益 " + trade::profitLossReadout(s).caption);  // sold where bought
    const auto width = [](std::string_view) { return 10.0f; };
    EXPECT_EQ(trade::amountMarker(s, trade::Side::Buy, 3, width).caption, lines[1]);
    EXPECT_EQ(trade::amountMarker(s, trade::Side::Sell, 3, width).caption, lines[2]);
  }
}

namespace {

class PointerWindow : public ViewWindowTest {
 protected:
  bool pending() { return state().selectionActive != core::kFalse; }
  float midX() { return state().graphLeft + state().graphWidth / 2; }
  float midY() { return state().graphBottom - state().graphHeight / 2; }
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
  bool tipShown() { return ui().TipReadout->isVisible(); }
  QString tipText() { return ui().TipReadout->text(); }
};

}  // namespace

TEST_F(PointerWindow, WheelZoomIsTheTwoClickZoomOfItsRectangleOverAFreePlotAreaOnly) {
  const float l = state().graphLeft, r = l + state().graphWidth, b = state().graphBottom;
  for (const auto& [x, y] : {std::pair{midX(), midY()}, {l, midY()}, {r - 1, b - 1}}) {
    const view::AreaRect area = view::wheelZoomArea(state(), x, y);
    probe().Form_MouseWheel(x, y, 1);
    const core::SavedView wheeled = shown();
    probe().CmdUndo_Click();
    probe().Form_MouseDown(area.left, area.top);
    probe().Form_MouseMove(area.left + area.width, area.top + area.height);
    probe().Form_MouseDown(area.left + area.width, area.top + area.height);
    EXPECT_EQ(shown(), wheeled);
    EXPECT_EQ(entries(), 2u);
    probe().CmdUndo_Click();
  }
  core::ChartState start = state();
  wheelAt(midX(), midY(), -120);  // toward the user: 縮小
  EXPECT_EQ(shown(), view::zoomedOut(start));
  const core::SavedView out = shown();
  markDisplayList();
  wheelAt(l - 1, midY(), 120);             // off the plot area
  probe().Form_MouseDown(midX(), midY());  // a selection pending
  wheelAt(midX(), midY(), 120);
  wheelAt(midX(), midY(), -120);
  EXPECT_TRUE(pending());
  EXPECT_EQ(shown(), out);
  EXPECT_TRUE(displayListMarked());
  state().selectionActive = core::kFalse;
  wheelAt(midX(), midY(), 60);  // half a notch, then the other half
  EXPECT_EQ(entries(), 2u);
  wheelAt(midX(), midY(), 60);
  EXPECT_EQ(entries(), 3u);
  // One event of many notches takes a few: as many for 500 as for 1,000, in or out.
  std::vector<std::size_t> added;
  for (const int notches : {2, 500, 1000, -500, -1000}) {
    const std::size_t before = entries();
    wheelAt(midX(), midY(), notches * 120);
    added.push_back(entries() - before);
  }
  EXPECT_EQ(added[0], 2u);
  EXPECT_GT(added[1], added[0]);
  EXPECT_LT(added[1], 500u);
  EXPECT_EQ(added[2], added[1]);
  EXPECT_EQ(added[3], added[1]);
  EXPECT_EQ(added[4], added[1]);
}

TEST_F(PointerWindow, EscDropsOnlyAPendingSelectionWhereverTheFocusIs) {
  int n = 0;
  for (QWidget* focus : std::initializer_list<QWidget*>{window.get(), ui().TxtBP, ui().CmdSUp}) {
    SCOPED_TRACE(focus->objectName().toStdString());
    pressAt(px(60, 100));
    moveTo(px(90 + 5 * ++n, 110));  // (a move to where the pointer is is no move)
    ASSERT_TRUE(ui().ShpArea->isVisible());
    focus->setFocus();
    for (int twice = 0; twice < 2; ++twice) QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(pending());
    EXPECT_FALSE(ui().ShpArea->isVisible());
    EXPECT_EQ(entries(), 1u);
    EXPECT_EQ(shown(), state().viewHistory[0]);
    EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("1.00"));
  }
}

TEST_F(PointerWindow, ReadoutAtTheTierBorderFollowsThePointerAndTakesNoClick) {
  core::showView(state(), {47, 5, 40000, 15000});  // under 0.01 per pixel
  probe().ReDraw();
  const int y = static_cast<int>(tk::mmToPx(midY()));
  const auto pixelAt = [&](float price) {
    int x = static_cast<int>(tk::mmToPx(state().graphLeft));
    while (trade::pointerPrice(state(), static_cast<float>(tk::pxToMm(x))) < price) ++x;
    return QPoint(x, y);
  };
  restAt(pixelAt(49.99f));
  ASSERT_TRUE(tipShown());
  EXPECT_EQ(tipText(),
            QStringLiteral(
                "単価 49.99\n買 ¥50,515\n売 ¥49,465\n損益 47,940\n手数料 買 525円 / 売 525円"));
  moveTo(pixelAt(50.00f));
  EXPECT_EQ(tipText(),
            QStringLiteral(
                "単価 50.00\n買 ¥51,050\n売 ¥48,950\n損益 47,425\n手数料 買 1,050円 / 売 1,050円"));
  // Assistive technology reads the last point shown, following the trade.
  ui().TxtQua->setText(QStringLiteral("2000"));
  EXPECT_TRUE(ui().chartArea->accessibleDescription().endsWith(QStringLiteral(
      "\n単価 50.00\n買 ¥101,050\n売 ¥98,950\n損益 96,425\n手数料 買 1,050円 / 売 1,050円")));
  ui().TxtBP->setText(QStringLiteral("10.00"));  // a price: no redraw, the same readout
  EXPECT_TRUE(ui().chartArea->accessibleDescription().contains(QStringLiteral("\n損益 78,425\n")));
  core::showView(state(), {0, 30, 0, 100000});  // a view without the point read: none
  probe().ReDraw();
  EXPECT_FALSE(ui().chartArea->accessibleDescription().contains(QLatin1Char('\n')));
  ui().TxtBP->setText(QStringLiteral("1.00"));
  core::showView(state(), {47, 5, 40000, 15000});
  probe().ReDraw();

  moveTo(px(state().graphLeft - 3, midY()));  // off the plot area
  EXPECT_FALSE(tipShown());

  // A press where it shows still starts the selection; while it is pending there is none.
  const QPoint inside = px(midX(), midY());
  restAt(inside);
  ASSERT_TRUE(tipShown());
  pressAt(inside);
  EXPECT_TRUE(pending());
  EXPECT_FALSE(tipShown());
  restAt(inside);
  EXPECT_FALSE(tipShown());
  state().selectionActive = core::kFalse;
  restAt(inside);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window.get(), &leave);
  EXPECT_FALSE(tipShown());
}

// Any key press hides the readout, wherever the focus is.
TEST_F(PointerWindow, ReadoutHidesOnAKeyPress) {
  for (QWidget* focus : std::initializer_list<QWidget*>{window.get(), ui().TxtBP}) {
    SCOPED_TRACE(focus->objectName().toStdString());
    restAt(px(midX(), midY()));
    ASSERT_TRUE(tipShown());
    QTest::keyPress(focus, Qt::Key_Shift);
    EXPECT_FALSE(tipShown());
    QTest::keyRelease(focus, Qt::Key_Shift);
  }
}
