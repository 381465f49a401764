#include <QEvent>
#include <QObject>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "step_buttons.h"
#include "stepper/step_rules.h"
#include "window_fixture.h"

// Field texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using B = stepper::Button;
const core::StepSetting kPrices = core::builtInSettings().price;
const core::StepSetting kQuantities = core::builtInSettings().quantity;

std::optional<std::string> stepPrice(std::string_view text, B button) {
  return stepper::stepPrice(text, kPrices, button);
}
std::optional<std::string> stepQuantity(std::string_view text, B button) {
  return stepper::stepQuantity(text, kQuantities, button);
}

// ---- the arithmetic alone: what the window cases below do not reach ----

// Along both exchange tables: to each band border and across it, from values off the grid, ten
// ticks at once across a border, the limits (a step to the limit itself is taken), and the
// decimals each table writes.
TEST(StepRules, PricesStepAlongTheTickTables) {
  core::TradeSettings standard = core::builtInSettings();
  standard.priceTicks.table = core::TickTable::Standard;
  standard.price.lowest = 100;       // 1 yen
  standard.price.highest = 300'500;  // 3,005 yen
  core::TradeSettings topix = standard;
  topix.priceTicks.table = core::TickTable::Topix100;
  const struct {
    const core::TradeSettings* settings;
    const char* from;
    B button;
    std::optional<std::string> to;
  } kCases[] = {
      {&standard, "2999", B::SmallUp, "3000"},      {&standard, "3000", B::SmallUp, "3005"},
      {&standard, "3005", B::SmallDown, "3000"},    {&standard, "3000", B::SmallDown, "2999"},
      {&standard, "3001", B::SmallUp, "3005"},      {&standard, "3001", B::SmallDown, "3000"},
      {&standard, "2999.5", B::SmallUp, "3000"},    {&standard, "2999.5", B::SmallDown, "2999"},
      {&standard, "2,997", B::BigUp, std::nullopt},  // ten ticks reach 3,035
      {&standard, "3025", B::BigDown, "2995"},      {&standard, "3005", B::SmallUp, std::nullopt},
      {&standard, "2", B::SmallDown, "1"},          {&standard, "1", B::SmallDown, std::nullopt},
      {&standard, "0.5", B::SmallUp, "1"},          {&topix, "999.9", B::SmallUp, "1000.0"},
      {&topix, "1000", B::SmallUp, "1000.5"},       {&topix, "1000.5", B::SmallDown, "1000.0"},
      {&topix, "1000", B::SmallDown, "999.9"},      {&topix, "999.5", B::BigUp, "1002.5"},
      {&topix, "1002.5", B::BigDown, "999.5"},      {&topix, "198.44", B::SmallUp, "198.5"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(stepper::stepPrice(c.from, *c.settings, c.button), c.to)
        << c.from << " " << static_cast<int>(c.button);
  // Fixed steps of whole yen write whole yen, but keep the decimals a value has.
  core::TradeSettings yen = core::builtInSettings();
  yen.price = {100, 1000, 1, 1'000'000};
  EXPECT_EQ(stepper::stepPrice("12", yen, B::SmallUp), "13");
  EXPECT_EQ(stepper::stepPrice("12.30", yen, B::SmallUp), "13.3");
  EXPECT_EQ(stepper::stepPrice("1.00", core::builtInSettings(), B::SmallUp), "1.01");
}

TEST(StepRules, PriceFormatsTheDecimalTextNotTheBinaryValue) {
  // 2.005 is stored just below itself; the field still shows what the text promises.
  EXPECT_EQ(stepPrice("1.005", B::BigUp), "2.01");
  EXPECT_EQ(stepPrice("0.025", B::SmallUp), "0.04");
  // A value just past a limit is refused even when its "0.00" text would sit on the limit.
  EXPECT_EQ(stepPrice("99.981", B::SmallUp), std::nullopt);
  EXPECT_EQ(stepPrice("1.009", B::BigDown), std::nullopt);
}

TEST(StepRules, QuantityRaiseLimitIsSinglePrecision) {
  struct Case {
    const char* text;
    B button;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      // 240000.005 rounds to the float 240000, which the limit allows; the step is taken from
      // the unrounded value.
      {"240000.005", B::BigUp, "250000.005"},
      // 240000.01 rounds to the next float above 240000: refused.
      {"240000.01", B::BigUp, std::nullopt},
      {"249000.005", B::SmallUp, "250000.005"},
      // Too large for a float: it counts as above every limit, so it can only come down.
      {"1e300", B::SmallUp, std::nullopt},
      {"1e300", B::SmallDown, "1E+300"},
      {"-1e300", B::SmallUp, "-1E+300"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(stepQuantity(c.text, c.button), c.expected) << c.text;
  }
}

// A step starts from the value the field shows, read as the field reads it: grouping and
// full-width digits count whole. Only a text the field refuses falls back to its leading number.
TEST(StepRules, StepsFromTheValueTheFieldShows) {
  EXPECT_EQ(stepQuantity("10,000", B::SmallUp), "11000");
  EXPECT_EQ(stepQuantity("１２，０００", B::SmallDown), "11000");
  EXPECT_EQ(stepQuantity("12 34", B::SmallUp), "1012");
  EXPECT_EQ(stepPrice("1,234.50", B::SmallUp), std::nullopt);  // beyond the limit
  EXPECT_EQ(stepPrice("1,234.50", B::SmallDown), "1234.49");
  EXPECT_EQ(stepPrice("１２．５０", B::BigUp), "13.50");
  EXPECT_EQ(stepPrice("12.5abc", B::BigUp), "13.50");
}

TEST(StepRules, RepeatCountStopsAtItsLargestValue) {
  EXPECT_EQ(stepper::nextRepeatCount(0), 1);
  EXPECT_EQ(stepper::nextRepeatCount(1), 2);
  EXPECT_EQ(stepper::nextRepeatCount(32766), 32767);
  EXPECT_EQ(stepper::nextRepeatCount(32767), 32767);
}

// ---- the real buttons ----

using Button = QPushButton* app::FrmPlotControls::*;
using Field = QLineEdit* app::FrmPlotControls::*;
using Timer = QTimer* app::FrmPlotControls::*;

// Counts the mouse presses that arrive at a widget.
class PressCounter : public QObject {
 public:
  int presses = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      ++presses;
    }
    return false;
  }
};

class StepperTest : public WindowTest {
 protected:
  QPushButton* button(Button b) { return ui().*b; }
  QLineEdit* field(Field f) { return ui().*f; }
  QTimer* timer(Timer t) { return ui().*t; }
  using WindowTest::tick;
  void tick(Timer t) { tick(ui().*t); }

  void setTexts(const char* quantity, const char* buy, const char* sell) {
    ui().TxtQua->setText(QString::fromUtf8(quantity));
    ui().TxtBP->setText(QString::fromUtf8(buy));
    ui().TxtSP->setText(QString::fromUtf8(sell));
  }
  QString text(Field f) { return field(f)->text(); }
};

struct ClickCase {
  Button button;
  Field field;
  const char* before;
  const char* after;  // the same text when the click must change nothing
};

// One click on each button at and around its limit, and on texts the buttons never write.
// The other two fields must never change.
TEST_F(StepperTest, ClickStepsWithinTheLimits) {
  const Field kQua = &app::FrmPlotControls::TxtQua, kBP = &app::FrmPlotControls::TxtBP,
              kSP = &app::FrmPlotControls::TxtSP;
  const std::vector<ClickCase> cases = {
      // buy price
      {&app::FrmPlotControls::CmdDown, kBP, "1.00", "1.00"},
      {&app::FrmPlotControls::CmdDown, kBP, "1.01", "0.01"},
      {&app::FrmPlotControls::CmdDown, kBP, "50.00", "49.00"},
      {&app::FrmPlotControls::CmdSDown, kBP, "0.02", "0.01"},
      {&app::FrmPlotControls::CmdSDown, kBP, "0.01", "0.01"},
      {&app::FrmPlotControls::CmdUp, kBP, "98.99", "99.99"},
      {&app::FrmPlotControls::CmdUp, kBP, "99.00", "99.00"},
      {&app::FrmPlotControls::CmdSUp, kBP, "99.98", "99.99"},
      {&app::FrmPlotControls::CmdSUp, kBP, "99.99", "99.99"},
      // sell price: the same rules on its own field
      {&app::FrmPlotControls::CmdDownS, kSP, "1.01", "0.01"},
      {&app::FrmPlotControls::CmdSDownS, kSP, "0.01", "0.01"},
      {&app::FrmPlotControls::CmdUpS, kSP, "99.00", "99.00"},
      {&app::FrmPlotControls::CmdSUpS, kSP, "99.98", "99.99"},
      // odd price texts: letters read as 0, the leading number counts, limits are one-sided
      {&app::FrmPlotControls::CmdUp, kBP, "abc", "1.00"},
      {&app::FrmPlotControls::CmdSUp, kBP, "abc", "0.01"},
      {&app::FrmPlotControls::CmdDown, kBP, "abc", "abc"},
      {&app::FrmPlotControls::CmdSDownS, kSP, "", ""},
      {&app::FrmPlotControls::CmdUp, kBP, "150", "150"},
      {&app::FrmPlotControls::CmdDown, kBP, "150", "149.00"},
      {&app::FrmPlotControls::CmdSUpS, kSP, "-5", "-4.99"},
      {&app::FrmPlotControls::CmdSDownS, kSP, "-5", "-5"},
      {&app::FrmPlotControls::CmdUpS, kSP, "12.5yen", "13.50"},
      {&app::FrmPlotControls::CmdSUp, kBP, "１２．５", "12.51"},
      // quantity
      {&app::FrmPlotControls::CmdQD, kQua, "1000", "1000"},
      {&app::FrmPlotControls::CmdQD, kQua, "10999", "10999"},
      {&app::FrmPlotControls::CmdQD, kQua, "11000", "1000"},
      {&app::FrmPlotControls::CmdSQD, kQua, "2000", "1000"},
      {&app::FrmPlotControls::CmdSQD, kQua, "1999", "1999"},
      {&app::FrmPlotControls::CmdQU, kQua, "240000", "250000"},
      {&app::FrmPlotControls::CmdQU, kQua, "240001", "240001"},
      {&app::FrmPlotControls::CmdSQU, kQua, "249000", "250000"},
      {&app::FrmPlotControls::CmdSQU, kQua, "250000", "250000"},
      // odd quantity texts
      {&app::FrmPlotControls::CmdSQU, kQua, "abc", "1000"},
      {&app::FrmPlotControls::CmdQU, kQua, "abc", "10000"},
      {&app::FrmPlotControls::CmdSQD, kQua, "abc", "abc"},
      {&app::FrmPlotControls::CmdSQU, kQua, "1234.5", "2234.5"},
      {&app::FrmPlotControls::CmdSQD, kQua, "1500", "1500"},
      {&app::FrmPlotControls::CmdSQU, kQua, "-5", "995"},
      {&app::FrmPlotControls::CmdQD, kQua, "300000", "290000"},
      {&app::FrmPlotControls::CmdQU, kQua, "300000", "300000"},
  };
  const Field fields[] = {kQua, kBP, kSP};
  for (const ClickCase& c : cases) {
    setTexts("3000", "2.00", "3.00");
    field(c.field)->setText(QString::fromUtf8(c.before));
    const QString others[] = {text(kQua), text(kBP), text(kSP)};
    QTest::mouseClick(button(c.button), Qt::LeftButton);
    const QString where = button(c.button)->objectName() + " on " + QString::fromUtf8(c.before);
    EXPECT_EQ(text(c.field), QString::fromUtf8(c.after)) << where.toStdString();
    for (int i = 0; i < 3; ++i) {
      if (fields[i] != c.field) {
        EXPECT_EQ(text(fields[i]), others[i]) << where.toStdString();
      }
    }
  }
}

// Another broker's rows: lots of 100 from 100 to 5,000 shares, prices by 0.05 and 10 from 100 to
// 5,000 yen. Every button, key and tip follows them, with the same one-sided limits.
TEST_F(StepperTest, ButtonsKeysAndTipsFollowTheSettings) {
  core::TradeSettings settings = core::builtInSettings();
  settings.quantity = {100, 1000, 100, 5000};
  settings.price = {5, 1000, 10000, 500000};
  probe().ApplySettings(settings);
  const Field kQua = &app::FrmPlotControls::TxtQua, kBP = &app::FrmPlotControls::TxtBP;
  const std::vector<ClickCase> cases = {
      {&app::FrmPlotControls::CmdQD, kQua, "1100", "100"},
      {&app::FrmPlotControls::CmdQD, kQua, "1099", "1099"},
      {&app::FrmPlotControls::CmdSQD, kQua, "200", "100"},
      {&app::FrmPlotControls::CmdSQD, kQua, "199", "199"},
      {&app::FrmPlotControls::CmdSQU, kQua, "4900", "5000"},
      {&app::FrmPlotControls::CmdSQU, kQua, "4901", "4901"},
      {&app::FrmPlotControls::CmdQU, kQua, "4000", "5000"},
      {&app::FrmPlotControls::CmdQU, kQua, "4001", "4001"},
      {&app::FrmPlotControls::CmdDown, kBP, "110.00", "100.00"},
      {&app::FrmPlotControls::CmdDown, kBP, "109.99", "109.99"},
      {&app::FrmPlotControls::CmdSDown, kBP, "100.05", "100.00"},
      {&app::FrmPlotControls::CmdSDown, kBP, "100.04", "100.04"},
      {&app::FrmPlotControls::CmdSUp, kBP, "1234.00", "1234.05"},
      {&app::FrmPlotControls::CmdSUp, kBP, "4999.96", "4999.96"},
      {&app::FrmPlotControls::CmdUp, kBP, "4990.00", "5000.00"},
      {&app::FrmPlotControls::CmdUp, kBP, "4990.01", "4990.01"},
  };
  for (const ClickCase& c : cases) {
    field(c.field)->setText(QString::fromUtf8(c.before));
    QTest::mouseClick(button(c.button), Qt::LeftButton);
    EXPECT_EQ(text(c.field), QString::fromUtf8(c.after))
        << button(c.button)->objectName().toStdString() << " on " << c.before;
  }
  // The keys in a field are its row's buttons.
  ui().TxtBP->setText(QStringLiteral("1234.00"));
  QTest::keyClick(ui().TxtBP, Qt::Key_PageUp);
  QTest::keyClick(ui().TxtBP, Qt::Key_Up);
  EXPECT_EQ(ui().TxtBP->text(), "1244.05");
  EXPECT_EQ(state().buyPrice, 1244.05f);
  EXPECT_EQ(ui().CmdSUp->toolTip(), "+0.05");
  EXPECT_EQ(ui().CmdQD->toolTip(), "-1000");
  EXPECT_EQ(ui().CmdUpS->accessibleName(), QStringLiteral("売却単価 +10"));
}

TEST_F(StepperTest, QuantityStepRedrawsForTheNewQuantity) {
  QTest::mouseClick(ui().CmdSQU, Qt::LeftButton);
  EXPECT_EQ(ui().TxtQua->text(), "2000");
  EXPECT_EQ(state().quantity, 2000.0f);
  QTest::mouseClick(ui().CmdQU, Qt::LeftButton);
  EXPECT_EQ(state().quantity, 12000.0f);
}

// One pair of buttons sharing a repeat timer.
struct Pair {
  Button down, up;
  core::Truth core::ChartState::*direction;
  int fastMs;
  const char* start;
  const char* afterThreeUpTicksAndClick;
};

const std::vector<Pair>& pairs() {
  using C = app::FrmPlotControls;
  static const std::vector<Pair> all = {
      {&C::CmdDown, &C::CmdUp, &core::ChartState::stepUp, 50, "50.00", "54.00"},
      {&C::CmdSDown, &C::CmdSUp, &core::ChartState::stepUp, 50, "50.00", "50.04"},
      {&C::CmdDownS, &C::CmdUpS, &core::ChartState::stepUpSell, 50, "50.00", "54.00"},
      {&C::CmdSDownS, &C::CmdSUpS, &core::ChartState::stepUpSell, 50, "50.00", "50.04"},
      {&C::CmdQD, &C::CmdQU, &core::ChartState::stepUp, 200, "50000", "90000"},
      {&C::CmdSQD, &C::CmdSQU, &core::ChartState::stepUp, 200, "50000", "54000"},
  };
  return all;
}

TEST_F(StepperTest, RepeatTimerGoesSlowThenFastAndStopsAtRelease) {
  for (const Pair& p : pairs()) {
    SCOPED_TRACE(timer(stepButton(p.up).timer)->objectName().toStdString());
    QTimer* t = timer(stepButton(p.up).timer);
    EXPECT_FALSE(t->isActive());
    EXPECT_EQ(t->interval(), 500);
    EXPECT_EQ(t->timerType(), Qt::PreciseTimer);
    field(stepButton(p.up).field)->setText(QString::fromUtf8(p.start));

    QTest::mousePress(button(p.up), Qt::LeftButton);
    EXPECT_TRUE(t->isActive());
    EXPECT_EQ(t->interval(), 500);
    EXPECT_EQ(state().*p.direction, core::kTrue);
    EXPECT_EQ(text(stepButton(p.up).field), QString::fromUtf8(p.start));  // no step at the press

    tick(stepButton(p.up).timer);
    EXPECT_TRUE(t->isActive());
    EXPECT_EQ(t->interval(), 500);
    EXPECT_EQ(state().repeatCount, 1);
    tick(stepButton(p.up).timer);
    EXPECT_TRUE(t->isActive());
    EXPECT_EQ(t->interval(), p.fastMs);
    EXPECT_EQ(state().repeatCount, 2);
    tick(stepButton(p.up).timer);
    EXPECT_EQ(t->interval(), p.fastMs);
    EXPECT_EQ(state().repeatCount, 3);

    // Released over the button: the click adds one more step.
    QTest::mouseRelease(button(p.up), Qt::LeftButton);
    EXPECT_FALSE(t->isActive());
    EXPECT_EQ(t->interval(), 500);
    EXPECT_EQ(state().repeatCount, 0);
    EXPECT_EQ(text(stepButton(p.up).field), QString::fromUtf8(p.afterThreeUpTicksAndClick));

    // The decreasing button of the pair turns the same timer the other way.
    QTest::mousePress(button(p.down), Qt::LeftButton);
    EXPECT_EQ(state().*p.direction, core::kFalse);
    tick(stepButton(p.up).timer);
    QTest::mouseRelease(button(p.down), Qt::LeftButton);
    EXPECT_FALSE(t->isActive());
  }
}

// The repeat timers tick on and on, not once. A second press while one is held (another mouse
// button) leaves its schedule alone: the countdown runs on, the interval and count stay.
TEST_F(StepperTest, ASecondPressDuringAHoldKeepsTheRepeatSchedule) {
  for (const Pair& p : pairs()) {
    QTimer* t = timer(stepButton(p.up).timer);
    SCOPED_TRACE(t->objectName().toStdString());
    EXPECT_FALSE(t->isSingleShot());
    field(stepButton(p.up).field)->setText(QString::fromUtf8(p.start));
    QTest::mousePress(button(p.up), Qt::LeftButton);
    // No events are taken meanwhile; a restarted timer would have its whole 500 ms ahead again.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QTest::mousePress(button(p.up), Qt::RightButton);
    EXPECT_TRUE(t->isActive());
    EXPECT_LE(t->remainingTime(), 450);
    tick(stepButton(p.up).timer);
    tick(stepButton(p.up).timer);
    QTest::mousePress(button(p.up), Qt::MiddleButton);
    EXPECT_EQ(t->interval(), p.fastMs);
    EXPECT_EQ(state().repeatCount, 2);
    QTest::mouseRelease(button(p.up), Qt::MiddleButton);
    QTest::mouseRelease(button(p.up), Qt::RightButton);
    QTest::mouseRelease(button(p.up), Qt::LeftButton);
    EXPECT_FALSE(t->isActive());
  }
}

TEST_F(StepperTest, PressReleasedBeforeTheFirstTickStepsOnce) {
  ui().TxtSP->setText("5.00");
  QTest::mousePress(ui().CmdSDownS, Qt::LeftButton);
  QTest::mouseRelease(ui().CmdSDownS, Qt::LeftButton);
  EXPECT_EQ(ui().TxtSP->text(), "4.99");
  EXPECT_FALSE(ui().TmrSSell->isActive());
}

TEST_F(StepperTest, OtherMouseButtonsRepeatWithoutClickAndStayOffTheChart) {
  PressCounter atWindow, atFrame;
  window->installEventFilter(&atWindow);
  ui().Frame1->installEventFilter(&atFrame);
  for (Qt::MouseButton mouse : {Qt::RightButton, Qt::MiddleButton}) {
    ui().TxtBP->setText("10.00");
    QTest::mousePress(ui().CmdUp, mouse);
    EXPECT_TRUE(ui().TmrSuuryo->isActive());
    EXPECT_EQ(state().stepUp, core::kTrue);
    tick(ui().TmrSuuryo);
    EXPECT_EQ(ui().TxtBP->text(), "11.00");
    QTest::mouseRelease(ui().CmdUp, mouse);
    EXPECT_FALSE(ui().TmrSuuryo->isActive());
    EXPECT_EQ(state().repeatCount, 0);
    EXPECT_EQ(ui().TxtBP->text(), "11.00");  // no click step
  }
  EXPECT_EQ(atWindow.presses, 0);
  EXPECT_EQ(atFrame.presses, 0);
  EXPECT_FALSE(state().selectionActive);
}

TEST_F(StepperTest, SlidingOffKeepsRepeatingAndReleasingThereMakesNoClick) {
  ui().TxtQua->setText("5000");
  QTest::mousePress(ui().CmdSQU, Qt::LeftButton);
  const QPoint outside(-30, -30);
  QTest::mouseMove(ui().CmdSQU, outside);
  EXPECT_FALSE(ui().CmdSQU->isDown());  // the button itself has let go
  EXPECT_TRUE(ui().TmrSQ->isActive());
  tick(ui().TmrSQ);
  tick(ui().TmrSQ);
  EXPECT_EQ(ui().TxtQua->text(), "7000");
  EXPECT_EQ(ui().TmrSQ->interval(), 200);
  QTest::mouseRelease(ui().CmdSQU, Qt::LeftButton, {}, outside);
  EXPECT_FALSE(ui().TmrSQ->isActive());
  EXPECT_EQ(ui().TmrSQ->interval(), 500);
  EXPECT_EQ(ui().TxtQua->text(), "7000");
}

// The same through the window's own event delivery (as from the windowing system): the button
// keeps the mouse from its press on, so the release off it, over the chart, still reaches it.
TEST_F(StepperTest, ReleaseOverTheChartReachesTheHeldButton) {
  QWindow* handle = window->windowHandle();
  ASSERT_NE(handle, nullptr);
  PressCounter atWindow;
  window->installEventFilter(&atWindow);
  const QPoint onButton = ui().CmdUp->mapTo(window.get(), ui().CmdUp->rect().center());
  const QPoint overChart(300, 300);
  for (Qt::MouseButton mouse : {Qt::RightButton, Qt::LeftButton}) {
    ui().TxtBP->setText("10.00");
    QTest::mousePress(handle, mouse, {}, onButton);
    EXPECT_TRUE(ui().TmrSuuryo->isActive());
    QTest::mouseMove(handle, overChart);
    tick(ui().TmrSuuryo);
    QTest::mouseRelease(handle, mouse, {}, overChart);
    EXPECT_FALSE(ui().TmrSuuryo->isActive());
    EXPECT_EQ(ui().TxtBP->text(), "11.00");
  }
  EXPECT_EQ(atWindow.presses, 0);
}

TEST_F(StepperTest, SpaceBarStepsOnceWithoutRepeat) {
  ui().TxtBP->setText("2.00");
  ui().CmdSUp->setFocus();
  QTest::keyPress(ui().CmdSUp, Qt::Key_Space);
  EXPECT_FALSE(ui().TmrSSuuryo->isActive());
  QTest::keyRelease(ui().CmdSUp, Qt::Key_Space);
  EXPECT_EQ(ui().TxtBP->text(), "2.01");
  EXPECT_FALSE(ui().TmrSSuuryo->isActive());
  QTest::keyClick(ui().CmdSUp, Qt::Key_Space);
  EXPECT_EQ(ui().TxtBP->text(), "2.02");
}

struct HoldCase {
  Button held;
  const char* start;
  const char* stall;
};

// A hold runs into the limit and stays there; the click at the release adds nothing. The other
// fields and the other row's direction flag are left alone.
TEST_F(StepperTest, HoldingStallsAtTheLastStepInsideTheRange) {
  using C = app::FrmPlotControls;
  const std::vector<HoldCase> cases = {
      {&C::CmdUp, "1.00", "99.00"},     {&C::CmdDown, "99.99", "0.99"},
      {&C::CmdSDown, "0.05", "0.01"},   {&C::CmdDownS, "99.99", "0.99"},
      {&C::CmdSDownS, "0.05", "0.01"},  {&C::CmdQU, "1000", "241000"},
      {&C::CmdQD, "250000", "10000"},   {&C::CmdSQD, "10000", "1000"},
      {&C::CmdSQU, "241000", "250000"},  // where ">>" stalls, ">" goes on to the top
  };
  const Field fields[] = {&app::FrmPlotControls::TxtQua, &app::FrmPlotControls::TxtBP,
                          &app::FrmPlotControls::TxtSP};
  for (const HoldCase& c : cases) {
    const StepButton& held = stepButton(c.held);
    const std::string where = button(c.held)->objectName().toStdString() + " from " + c.start;
    setTexts("3000", "2.00", "3.00");
    field(held.field)->setText(QString::fromUtf8(c.start));
    const QString others[] = {text(fields[0]), text(fields[1]), text(fields[2])};
    const bool sellRow = held.field == &app::FrmPlotControls::TxtSP;
    state().stepUp = state().stepUpSell = 7;  // neither true nor false
    QTest::mousePress(button(c.held), Qt::LeftButton);
    for (int i = 0; i < 300; ++i) tick(held.timer);
    QTest::mouseRelease(button(c.held), Qt::LeftButton);
    EXPECT_EQ(text(held.field), QString::fromUtf8(c.stall)) << where;
    for (int i = 0; i < 3; ++i) {
      if (fields[i] != held.field) {
        EXPECT_EQ(text(fields[i]), others[i]) << where;
      }
    }
    EXPECT_EQ(sellRow ? state().stepUp : state().stepUpSell, 7) << where;
  }
}

TEST_F(StepperTest, AnHourOfFastTicksKeepsRepeatingAndTheNextPressStartsSlow) {
  ui().TxtBP->setText("50.00");
  QTest::mousePress(ui().CmdUp, Qt::LeftButton);
  const int ticksInAnHour = 2 + (3600 * 1000 - 1000) / 50;
  for (int i = 0; i < ticksInAnHour; ++i) tick(ui().TmrSuuryo);
  EXPECT_TRUE(ui().TmrSuuryo->isActive());
  EXPECT_EQ(ui().TmrSuuryo->interval(), 50);
  EXPECT_EQ(state().repeatCount, 32767);
  EXPECT_EQ(ui().TxtBP->text(), "99.00");
  QTest::mouseRelease(ui().CmdUp, Qt::LeftButton);

  ui().TxtBP->setText("50.00");
  QTest::mousePress(ui().CmdDown, Qt::LeftButton);
  tick(ui().TmrSuuryo);
  EXPECT_EQ(ui().TmrSuuryo->interval(), 500);
  tick(ui().TmrSuuryo);
  EXPECT_EQ(ui().TmrSuuryo->interval(), 50);
  EXPECT_EQ(ui().TxtBP->text(), "48.00");
  QTest::mouseRelease(ui().CmdDown, Qt::LeftButton);
}

}  // namespace
