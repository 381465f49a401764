// The pan and zoom-out buttons: one grid step per click, lower ends floored at zero, every click
// recorded, and views a float can no longer hold refused.
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>

#include "view/navigation.h"
#include "view_window.h"

namespace {

core::ChartState withSteps(core::SavedView v, float priceStep, float amountStep) {
  core::ChartState s;
  core::showView(s, v);
  s.priceStep = priceStep;
  s.amountStep = amountStep;
  return s;
}

}  // namespace

TEST(ViewNavigation, LowerWithFloorStopsAtZero) {
  struct Case {
    float v, step, expected;
  };
  for (const Case& c : {Case{30, 10, 20}, Case{10.5f, 10, 0.5f}, Case{10, 10, 0}, Case{5, 10, 0},
                        Case{0, 10, 0}, Case{0.25f, 0.1f, 0.15f}}) {
    EXPECT_FLOAT_EQ(view::lowerWithFloor(c.v, c.step), c.expected) << c.v << " - " << c.step;
  }
}

TEST(ViewNavigation, EachButtonMovesOneStep) {
  const core::ChartState s = withSteps({50, 100, 30000, 100000}, 10, 10000);
  EXPECT_EQ(view::movedUp(s), (core::SavedView{50, 100, 40000, 100000}));
  EXPECT_EQ(view::movedDown(s), (core::SavedView{50, 100, 20000, 100000}));
  EXPECT_EQ(view::movedLeft(s), (core::SavedView{40, 100, 30000, 100000}));
  EXPECT_EQ(view::movedRight(s), (core::SavedView{60, 100, 30000, 100000}));
  EXPECT_EQ(view::zoomedOut(s), (core::SavedView{40, 120, 20000, 120000}));
  // A clamped lower end gives the whole widening to the upper end.
  EXPECT_EQ(view::zoomedOut(withSteps({5, 100, 0, 100000}, 10, 10000)),
            (core::SavedView{0, 120, 0, 120000}));
}

TEST(ViewNavigation, ViewsPastTheLargestFloatAreRefused) {
  // The upper end would overflow.
  EXPECT_FALSE(view::movedUp(withSteps({0, 100, FLT_MAX - 1e37f, 1e37f}, 10, 1e32f)));
  EXPECT_FALSE(view::movedRight(withSteps({3e38f, 4e37f, 0, 1}, 1e37f, 1)));
  EXPECT_FALSE(view::zoomedOut(withSteps({0, 100, 0, 2e38f}, 10, 1e38f)));
  EXPECT_FALSE(view::zoomedOut(withSteps({0, 3e38f, 0, 100000}, 1e38f, 10000)));
  // Still inside: accepted.
  EXPECT_TRUE(view::movedRight(withSteps({3e38f, 1e37f, 0, 1}, 1e37f, 1)));
}

// ---- on the window ----

using ViewNavigationWindow = ViewWindowTest;

TEST_F(ViewNavigationWindow, FiveButtonsFromTheStartView) {
  const float ps = state().priceStep;
  const float as = state().amountStep;
  ASSERT_GT(ps, 0);
  ASSERT_GT(as, 0);
  struct Case {
    QPushButton* button;
    core::SavedView expected;
  };
  const Case cases[] = {
      {ui().CmdMoveUp, {0, 100, as, 100000}},
      {ui().CmdMoveDown, {0, 100, 0, 100000}},
      {ui().CmdMoveLeft, {0, 100, 0, 100000}},
      {ui().CmdMoveRight, {ps, 100, 0, 100000}},
      {ui().CmdZoom, {0, 100 + 2 * ps, 0, 100000 + 2 * as}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button->objectName().toStdString());
    core::showView(state(), {0, 100, 0, 100000});
    probe().ReDraw();
    const std::size_t before = entries();
    click(c.button);
    EXPECT_EQ(shown(), c.expected);
    EXPECT_EQ(entries(), before + 1);  // even a click that changes nothing is recorded
    EXPECT_EQ(state().viewHistory.back(), c.expected);
    EXPECT_EQ(state().priceMax, c.expected[0] + c.expected[1]);  // redrawn before the push
  }
}

TEST_F(ViewNavigationWindow, ZoomOutThenRightUsesTheNewGrid) {
  ASSERT_EQ(state().priceStep, 10);
  ASSERT_EQ(state().amountStep, 10000);
  click(ui().CmdZoom);
  EXPECT_EQ(shown(), (core::SavedView{0, 120, 0, 120000}));
  ASSERT_EQ(state().priceStep, 10);  // 120 / 10 labels still fit
  click(ui().CmdMoveRight);
  EXPECT_EQ(state().priceMin, 10);
  EXPECT_EQ(state().priceMax, 130);
}

TEST_F(ViewNavigationWindow, ClickAtTheFloorStillDropsRedoEntries) {
  click(ui().CmdMoveRight);
  click(ui().CmdMoveRight);
  click(ui().CmdUndo);
  click(ui().CmdUndo);
  ASSERT_TRUE(redoEnabled());
  click(ui().CmdMoveLeft);  // already at 0
  EXPECT_EQ(entries(), 2u);
  EXPECT_EQ(state().viewHistory[1], state().viewHistory[0]);
  EXPECT_FALSE(redoEnabled());
  EXPECT_TRUE(undoEnabled());
}

TEST_F(ViewNavigationWindow, RefusedClickChangesNothing) {
  core::showView(state(), {0, 100, 3.3e38f, 1e37f});
  probe().ReDraw();
  probe().HairetuKakunou();
  click(ui().CmdUndo);  // leave a redo entry that a recorded click would discard
  core::showView(state(), {0, 100, 3.3e38f, 1e37f});
  probe().ReDraw();
  ASSERT_GE(state().amountStep, 1e36f);  // one more step up passes the largest float
  markDisplayList();
  const core::SavedView before = shown();
  click(ui().CmdMoveUp);
  click(ui().CmdZoom);
  EXPECT_EQ(shown(), before);
  EXPECT_EQ(entries(), 2u);
  EXPECT_TRUE(redoEnabled());
  EXPECT_TRUE(displayListMarked());  // no redraw either
}
