// The keyboard and held buttons: where the focus starts, keys that click exactly once, a hold
// that ends when its release can no longer arrive, and the frames' grey.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>

#include "window_fixture.h"

namespace {

class KeyboardHoldTest : public WindowTest {
 protected:
  void activate(QWidget* w) {
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  // A key event as the platform delivers it, with its own timestamp.
  static void sendKey(QWidget* to, QEvent::Type type, Qt::Key key, ulong timestamp) {
    QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString());
    e.setTimestamp(timestamp);
    QApplication::sendEvent(to, &e);
  }
};

TEST_F(KeyboardHoldTest, FocusStartsAtTheLowestTabIndexThatCanTakeIt) {
  // 戻る and 進む come first but are disabled at start-up: 縮小 has the focus, and space zooms out.
  EXPECT_EQ(window->focusWidget(), ui().CmdZoom);
  activate(window.get());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(state().viewHistory.size(), 2u);
  EXPECT_EQ(state().compactMode, core::kFalse);
}

// A held space bar or Enter on a focused button is one click, also when the platform sends its
// repeats as release/press pairs of one timestamp that are not marked as repeats.
TEST_F(KeyboardHoldTest, AHeldKeyClicksOnce) {
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
    ui().TxtBP->setText(QStringLiteral("2.00"));
    ui().CmdSUp->setFocus();
    sendKey(ui().CmdSUp, QEvent::KeyPress, key, 1000);
    for (ulong t = 1500; t <= 3000; t += 33) {
      sendKey(ui().CmdSUp, QEvent::KeyRelease, key, t);
      sendKey(ui().CmdSUp, QEvent::KeyPress, key, t);
    }
    EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("2.01")) << key;
    sendKey(ui().CmdSUp, QEvent::KeyRelease, key, 3100);
    sendKey(ui().CmdSUp, QEvent::KeyPress, key, 3300);  // a new press
    sendKey(ui().CmdSUp, QEvent::KeyRelease, key, 3400);
    EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("2.02")) << key;
    EXPECT_FALSE(ui().TmrSSuuryo->isActive());
  }
}

// However the release is lost, the hold ends as the release would end it: the timer stops and
// is reset, and no extra step is made.
TEST_F(KeyboardHoldTest, ALostReleaseNeverLeavesARepeatRunning) {
  activate(window.get());
  QWidget other;
  other.resize(50, 50);
  const std::vector<std::pair<const char*, std::function<void()>>> routes = {
      {"another window activated", [&] { activate(&other); }},
      {"mouse grab taken away",
       [&] {
         QEvent ungrab(QEvent::UngrabMouse);
         QApplication::sendEvent(ui().CmdSUp, &ungrab);
       }},
      {"button hidden", [&] { ui().CmdSUp->hide(); }},
      {"button disabled", [&] { ui().CmdSUp->setEnabled(false); }},
  };
  for (const auto& [route, loseRelease] : routes) {
    activate(window.get());
    ui().CmdSUp->show();
    ui().CmdSUp->setEnabled(true);
    ui().TxtBP->setText(QStringLiteral("2.00"));
    QTest::mousePress(ui().CmdSUp, Qt::LeftButton);
    ASSERT_TRUE(ui().TmrSSuuryo->isActive()) << route;
    tick(ui().TmrSSuuryo);
    tick(ui().TmrSSuuryo);  // now at the fast interval
    loseRelease();
    EXPECT_FALSE(ui().TmrSSuuryo->isActive()) << route;
    EXPECT_EQ(ui().TmrSSuuryo->interval(), 500) << route;
    EXPECT_EQ(state().repeatCount, 0) << route;
    EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("2.02")) << route;
  }
}

TEST_F(KeyboardHoldTest, FramesHaveTheWindowsGrey) {
  const QImage picture = window->grab().toImage();
  for (QWidget* frame : {static_cast<QWidget*>(ui().Frame1), static_cast<QWidget*>(ui().Frame2)}) {
    // Inside the frame, below its last row of controls.
    const QPoint inside = frame->geometry().bottomLeft() + QPoint(20, -6);
    EXPECT_EQ(picture.pixelColor(inside), QColor(128, 128, 128))
        << frame->objectName().toStdString();
  }
}

// A focused button that greys out takes the focus with it: the second space at either end of the
// history acts on no control (before, it fell to 縮小, which zoomed out and dropped the redo
// entry).
TEST_F(KeyboardHoldTest, AButtonThatGreysOutTakesTheFocusWithIt) {
  activate(window.get());
  QTest::mouseClick(ui().CmdMoveRight, Qt::LeftButton);
  for (QPushButton* b : {ui().CmdUndo, ui().CmdRedo}) {
    b->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window.get()) << b->objectName().toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(state().viewHistory.size(), 2u);
    EXPECT_EQ(state().historyIndex, b == ui().CmdUndo ? 0 : 1);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), window.get());
}

}  // namespace
