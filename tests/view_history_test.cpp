// The view history: pushing, undo and redo, the enabling of their buttons and their access keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "core/mapping.h"
#include "start_state.h"
#include "view/history.h"
#include "view_window.h"

namespace {

constexpr core::SavedView kStart{0, 100, 0, 100000};

core::ChartState startWithHistory() {
  core::ChartState s = startState();
  s.viewHistory.assign(1, kStart);
  return s;
}

void pushPriceMin(core::ChartState& s, float priceMin) {
  s.priceMin = priceMin;
  view::pushView(s);
}

}  // namespace

TEST(ViewHistory, PushUndoRedoWalkTheEntries) {
  core::ChartState s = startWithHistory();
  pushPriceMin(s, 10);
  pushPriceMin(s, 20);
  ASSERT_EQ(s.viewHistory.size(), 3u);
  EXPECT_EQ(s.viewHistory[1], (core::SavedView{10, 100, 0, 100000}));
  EXPECT_EQ(s.historyIndex, 2);
  EXPECT_TRUE(view::canUndo(s));
  EXPECT_FALSE(view::canRedo(s));

  ASSERT_TRUE(view::stepBack(s));
  EXPECT_EQ(core::currentView(s), (core::SavedView{10, 100, 0, 100000}));
  EXPECT_TRUE(view::canUndo(s) && view::canRedo(s));
  ASSERT_TRUE(view::stepBack(s));
  EXPECT_EQ(core::currentView(s), kStart);
  EXPECT_FALSE(view::canUndo(s));
  EXPECT_FALSE(view::stepBack(s));  // nothing older: no change
  EXPECT_EQ(s.historyIndex, 0);

  ASSERT_TRUE(view::stepForward(s));
  ASSERT_TRUE(view::stepForward(s));
  EXPECT_EQ(s.priceMin, 20);
  EXPECT_FALSE(view::stepForward(s));
  EXPECT_EQ(s.historyIndex, 2);
}

TEST(ViewHistory, PushFromTheMiddleDropsTheRedoEntries) {
  core::ChartState s = startWithHistory();
  for (float p : {1.f, 2.f, 3.f, 4.f}) pushPriceMin(s, p);
  view::stepBack(s);
  view::stepBack(s);
  view::stepBack(s);
  ASSERT_EQ(s.historyIndex, 1);
  pushPriceMin(s, 99);
  ASSERT_EQ(s.viewHistory.size(), 3u);
  EXPECT_EQ(s.viewHistory[1][0], 1);
  EXPECT_EQ(s.viewHistory[2][0], 99);
  EXPECT_FALSE(view::canRedo(s));
}

TEST(ViewHistory, RestoresEveryValueBitForBit) {
  core::ChartState s = startWithHistory();
  const core::SavedView odd{0.1f, 1.0f / 3.0f, 12345.678f, 3.4e38f};
  core::showView(s, odd);
  view::pushView(s);
  core::showView(s, kStart);
  view::pushView(s);
  view::stepBack(s);
  EXPECT_EQ(core::currentView(s), odd);
}

TEST(ViewHistory, ShowableViewsHaveFinitePositiveSpansAndFiniteEnds) {
  EXPECT_TRUE(core::isShowable(kStart));
  EXPECT_FALSE(core::isShowable({0, 0, 0, 1}));
  EXPECT_FALSE(core::isShowable({0, 1, 0, -1}));
  EXPECT_FALSE(core::isShowable({NAN, 1, 0, 1}));
  EXPECT_FALSE(core::isShowable({3e38f, 1e38f, 0, 1}));  // upper end overflows
  EXPECT_TRUE(core::isShowable({3e38f, 1e37f, 0, 1}));
}

// ---- on the window ----

using ViewHistoryWindow = ViewWindowTest;

TEST_F(ViewHistoryWindow, ButtonsFollowTheEnablingTable) {
  ASSERT_EQ(state().priceStep, 10);
  EXPECT_FALSE(undoEnabled());
  EXPECT_FALSE(redoEnabled());
  EXPECT_EQ(entries(), 1u);

  click(ui().CmdMoveRight);
  click(ui().CmdMoveRight);
  EXPECT_EQ(entries(), 3u);
  EXPECT_EQ(state().viewHistory[2], (core::SavedView{20, 100, 0, 100000}));
  EXPECT_TRUE(undoEnabled());
  EXPECT_FALSE(redoEnabled());

  click(ui().CmdUndo);
  EXPECT_EQ(state().priceMin, 10);
  EXPECT_EQ(state().priceMax, 110);  // redrawn
  EXPECT_TRUE(undoEnabled() && redoEnabled());

  click(ui().CmdUndo);
  EXPECT_EQ(shown(), kStart);
  EXPECT_FALSE(undoEnabled());
  EXPECT_TRUE(redoEnabled());

  click(ui().CmdRedo);
  click(ui().CmdRedo);
  EXPECT_EQ(state().priceMin, 20);
  EXPECT_EQ(index(), 2);
  EXPECT_TRUE(undoEnabled());
  EXPECT_FALSE(redoEnabled());

  // From the middle, a navigation click discards what redo could have reached.
  click(ui().CmdUndo);
  click(ui().CmdMoveUp);
  EXPECT_EQ(entries(), 3u);
  EXPECT_EQ(state().viewHistory[2], (core::SavedView{10, 100, 10000, 100000}));
  EXPECT_FALSE(redoEnabled());
}

TEST_F(ViewHistoryWindow, AccessKeysWorkOnlyWhileTheirButtonIsEnabled) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

  // Disabled: Alt+U and Alt+R do not even press their buttons.
  QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
  QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
  EXPECT_FALSE(ui().CmdUndo->isDown());
  EXPECT_FALSE(ui().CmdRedo->isDown());
  QApplication::processEvents();
  EXPECT_EQ(entries(), 1u);
  EXPECT_EQ(index(), 0);

  // Enabled: the key clicks at once, once per press; two quick presses undo two steps.
  click(ui().CmdMoveRight);
  click(ui().CmdMoveRight);
  QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
  EXPECT_EQ(index(), 1);
  QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
  EXPECT_EQ(index(), 0);
  EXPECT_EQ(shown(), kStart);

  QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(index(), 1);
  EXPECT_EQ(state().priceMin, 10);
  // A held key's repeats do not click again, whether marked as repeats or not (an X server's
  // release/press pair of one timestamp).
  qt_sendShortcutOverrideEvent(window.get(), 0, Qt::Key_R, Qt::AltModifier, QStringLiteral("r"),
                               true);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_R, Qt::AltModifier, QStringLiteral("r"));
  release.setTimestamp(4711);
  QApplication::sendEvent(window->focusWidget(), &release);
  qt_sendShortcutOverrideEvent(window.get(), 4711, Qt::Key_R, Qt::AltModifier, QStringLiteral("r"));
  EXPECT_EQ(index(), 1);
}

TEST_F(ViewHistoryWindow, EditsAndResizesRecordNothing) {
  click(ui().CmdMoveRight);
  ui().TxtQua->setText(QStringLiteral("2000"));
  ui().TxtBP->setText(QStringLiteral("3.00"));
  window->resize(window->width() - 40, window->height() - 30);
  QApplication::processEvents();
  EXPECT_EQ(entries(), 2u);
  EXPECT_EQ(index(), 1);
}
