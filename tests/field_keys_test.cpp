// The entry fields step like spin boxes: arrow and page keys and the wheel over them run the row's
// button handlers, with the buttons' limits and texts and no repeat timer.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include "window_fixture.h"

namespace {

// One input: a key (with its autorepeat flag and modifiers) or a wheel turn (eighths of a degree).
struct Input {
  int key = 0;
  int delta = 0;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  bool autoRepeat = false;
};
Input key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { return {k, 0, m}; }
Input repeat(int k) { return {k, 0, Qt::NoModifier, true}; }
Input turn(int delta, Qt::KeyboardModifiers m = Qt::NoModifier) { return {0, delta, m}; }

void send(QLineEdit* field, const Input& in) {
  if (in.key) {
    QKeyEvent press(QEvent::KeyPress, in.key, in.modifiers, QString(), in.autoRepeat);
    QApplication::sendEvent(field, &press);
    return;
  }
  const QPointF at(5, 5);
  QWheelEvent wheel(at, field->mapToGlobal(at), QPoint(), QPoint(0, in.delta), Qt::NoButton,
                    in.modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(field, &wheel);
}

}  // namespace

TEST_F(WindowTest, FieldsStepByKeysAndWheelWithinTheButtonsLimits) {
  struct Case {
    QLineEdit* app::FrmPlotControls::*field;
    const char* start;
    std::vector<Input> inputs;
    const char* expected;  // the start text where the button's limit refuses the step
  };
  using C = app::FrmPlotControls;
  const auto ctrl = Qt::ControlModifier;
  const Case cases[] = {
      {&C::TxtBP, "1.00", {key(Qt::Key_Up)}, "1.01"},
      {&C::TxtBP, "7.5", {key(Qt::Key_Down)}, "7.49"},
      {&C::TxtBP, "1.00", {key(Qt::Key_PageDown)}, "1.00"},  // "<<" steps only from 1.01
      {&C::TxtBP, "99.99", {key(Qt::Key_Up)}, "99.99"},
      {&C::TxtBP, "1.00", {key(Qt::Key_Up), repeat(Qt::Key_Up), repeat(Qt::Key_Up)}, "1.03"},
      {&C::TxtBP, "1.00", {key(Qt::Key_Up, Qt::ShiftModifier), key(Qt::Key_Up, ctrl)}, "1.00"},
      {&C::TxtSP, "98.99", {key(Qt::Key_PageUp)}, "99.99"},
      {&C::TxtQua, "1000", {key(Qt::Key_Down)}, "1000"},  // "<" steps only from 2000
      {&C::TxtQua, "249000", {key(Qt::Key_Up), key(Qt::Key_Up)}, "250000"},
      {&C::TxtQua, "240001", {key(Qt::Key_PageUp)}, "240001"},
      {&C::TxtBP, "5.00", {turn(120, ctrl), turn(-240, ctrl)}, "4.00"},
      {&C::TxtBP, "1.00", {turn(40), turn(40)}, "1.00"},  // two thirds of a notch: no step yet
      {&C::TxtBP, "1.00", {turn(90), turn(90), turn(-60)}, "1.01"},  // 180 - 60: one notch
      {&C::TxtBP, "99.98", {turn(360)}, "99.99"},  // the limit stops the later notches
      {&C::TxtQua, "1000", {turn(120, ctrl)}, "11000"},
      {&C::TxtQua, "250000", {turn(120)}, "250000"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n++);
    TearDown();  // each field keeps what its wheel turns left over: a fresh window per case
    SetUp();
    QLineEdit* field = ui().*c.field;
    field->setText(QString::fromUtf8(c.start));
    field->setCursorPosition(0);  // where the cursor stands does not matter
    (n % 2 ? static_cast<QWidget*>(ui().CmdZoom) : field)->setFocus();  // nor its focus
    for (const Input& in : c.inputs) send(field, in);
    EXPECT_EQ(field->text(), QString::fromUtf8(c.expected));
    for (QTimer* t :
         {ui().TmrQ, ui().TmrSQ, ui().TmrSuuryo, ui().TmrSSuuryo, ui().TmrSell, ui().TmrSSell})
      EXPECT_FALSE(t->isActive());
    EXPECT_EQ(state().viewHistory.size(), 1u);  // the chart under the fields does not zoom
  }
}
