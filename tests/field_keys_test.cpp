// The entry fields step like spin boxes: arrow and page keys, and the wheel over them, run the
// row's button handlers, with the buttons' limits and texts and no repeat timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include "window_fixture.h"

namespace {

using FieldOf = QLineEdit* FrmPlotControls::*;

struct Turn {
  int delta;  // eighths of a degree, 120 = one notch away from the user
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

void sendKey(QWidget* field, int key, bool autoRepeat = false,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
  QApplication::sendEvent(field, &press);
}

void sendWheel(QWidget* field, Turn turn) {
  const QPointF at(field->width() / 2.0, field->height() / 2.0);
  QWheelEvent wheel(at, field->mapToGlobal(at), QPoint(), QPoint(0, turn.delta), Qt::NoButton,
                    turn.modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(field, &wheel);
}

class FieldKeysTest : public WindowTest {
 protected:
  bool anyRepeatTimerRuns() {
    for (QTimer* t :
         {ui().TmrQ, ui().TmrSQ, ui().TmrSuuryo, ui().TmrSSuuryo, ui().TmrSell, ui().TmrSSell})
      if (t->isActive()) return true;
    return false;
  }
};

}  // namespace

TEST_F(FieldKeysTest, KeysStepLikeTheRowsButtonsUpToTheirLimits) {
  struct Case {
    FieldOf field;
    const char* start;
    int key;
    const char* expected;  // the start text when the button's limit refuses the step
  };
  using C = FrmPlotControls;
  const Case cases[] = {
      {&C::TxtBP, "1.00", Qt::Key_Up, "1.01"},
      {&C::TxtBP, "1.00", Qt::Key_Down, "0.99"},
      {&C::TxtBP, "1.00", Qt::Key_PageUp, "2.00"},
      {&C::TxtBP, "1.00", Qt::Key_PageDown, "1.00"},  // "<<" steps only from 1.01
      {&C::TxtBP, "99.98", Qt::Key_Up, "99.99"},
      {&C::TxtBP, "99.99", Qt::Key_Up, "99.99"},
      {&C::TxtBP, "0.01", Qt::Key_Down, "0.01"},
      {&C::TxtSP, "98.99", Qt::Key_PageUp, "99.99"},
      {&C::TxtSP, "99.00", Qt::Key_PageUp, "99.00"},
      {&C::TxtSP, "7.5", Qt::Key_Down, "7.49"},
      {&C::TxtQua, "1000", Qt::Key_Up, "2000"},
      {&C::TxtQua, "1000", Qt::Key_Down, "1000"},  // "<" steps only from 2000
      {&C::TxtQua, "11000", Qt::Key_PageDown, "1000"},
      {&C::TxtQua, "249000", Qt::Key_Up, "250000"},
      {&C::TxtQua, "250000", Qt::Key_Up, "250000"},
      {&C::TxtQua, "240000", Qt::Key_PageUp, "250000"},
      {&C::TxtQua, "240001", Qt::Key_PageUp, "240001"},
  };
  for (const Case& c : cases) {
    QLineEdit* field = ui().*c.field;
    SCOPED_TRACE(field->objectName().toStdString() + " " + c.start + " key " +
                 std::to_string(c.key));
    field->setText(QString::fromUtf8(c.start));
    field->setFocus();
    field->setCursorPosition(0);  // where the cursor stands does not matter
    QTest::keyClick(field, static_cast<Qt::Key>(c.key));
    EXPECT_EQ(field->text(), QString::fromUtf8(c.expected));
    EXPECT_FALSE(anyRepeatTimerRuns());
  }
}

TEST_F(FieldKeysTest, EachAutorepeatIsOneMoreStepAndModifiedKeysAreTheFields) {
  ui().TxtBP->setText(QStringLiteral("1.00"));
  sendKey(ui().TxtBP, Qt::Key_Up);
  for (int i = 0; i < 4; ++i) sendKey(ui().TxtBP, Qt::Key_Up, true);
  EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("1.05"));
  EXPECT_FALSE(anyRepeatTimerRuns());
  for (Qt::KeyboardModifiers m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
    sendKey(ui().TxtBP, Qt::Key_Up, false, m);
  sendKey(ui().TxtBP, Qt::Key_Up, false, Qt::KeypadModifier);
  EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("1.06"));
}

TEST_F(FieldKeysTest, WheelNotchesStepWithOrWithoutFocus) {
  struct Case {
    FieldOf field;
    const char* start;
    std::vector<Turn> turns;
    const char* expected;
  };
  using C = FrmPlotControls;
  const Case cases[] = {
      {&C::TxtBP, "1.00", {{120}}, "1.01"},
      {&C::TxtBP, "1.00", {{-120}}, "0.99"},
      {&C::TxtBP, "1.00", {{120, Qt::ControlModifier}}, "2.00"},
      {&C::TxtBP, "5.00", {{-120, Qt::ControlModifier}}, "4.00"},
      {&C::TxtBP, "1.00", {{240}}, "1.02"},
      {&C::TxtBP, "1.00", {{40}, {40}}, "1.00"},  // two thirds of a notch: no step yet
      {&C::TxtBP, "1.00", {{40}, {40}, {40}}, "1.01"},
      {&C::TxtBP, "1.00", {{90}, {90}, {-60}}, "1.01"},  // 180 - 60: one notch, none left over
      {&C::TxtBP, "99.98", {{360}}, "99.99"},            // the limit stops the later notches
      {&C::TxtSP, "1.00", {{120}}, "1.01"},
      {&C::TxtSP, "1.00", {{0}}, "1.00"},
      {&C::TxtQua, "1000", {{120, Qt::ControlModifier}}, "11000"},
      {&C::TxtQua, "3000", {{-120}}, "2000"},
      {&C::TxtQua, "250000", {{120}}, "250000"},
  };
  int n = 0;
  for (const Case& c : cases) {
    // A fresh window per case: each field keeps what its turns left over.
    TearDown();
    SetUp();
    QLineEdit* field = ui().*c.field;
    SCOPED_TRACE(std::to_string(n++));
    field->setText(QString::fromUtf8(c.start));
    if (n % 2) ui().CmdZoom->setFocus();  // a field without focus steps too
    for (const Turn& t : c.turns) sendWheel(field, t);
    EXPECT_EQ(field->text(), QString::fromUtf8(c.expected));
  }
  EXPECT_FALSE(anyRepeatTimerRuns());
  EXPECT_EQ(state().viewHistory.size(), 1u);  // the chart under the fields does not zoom
}
