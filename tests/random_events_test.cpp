// A seeded storm of user events on the real window: clicks on every button with every mouse button
// and with the space bar, held step buttons with repeat ticks, garbage and valid text in the three
// fields, resizes down to below the minimum, maximise, minimise and restore, presses and moves on
// and off the chart, undo and redo, named trades saved, chosen and deleted, and restarts of the
// window with what it kept. After every event (and every tick of a hold) the window's invariants
// are checked. A failure names the seed, the event and the events before it.
//
//   HOSHINAMI_SEED=<n>    replays one run (the default seed is fixed)
//   HOSHINAMI_EVENTS=<n>  sets the number of events (default 4000, about 10 s with the
//                         sanitizers; scripts/soak runs long ones)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/tk/fresh_combo_box.h"
#include "app/trades_store.h"
#include "core/number_text.h"
#include "step_buttons.h"
#include "trade/entry_fields.h"
#include "view/history.h"
#include "window_fixture.h"

namespace {

constexpr std::uint32_t kDefaultSeed = 20240607;
constexpr long kDefaultEvents = 4000;

std::optional<unsigned long> fromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (!text || !*text) return std::nullopt;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (*end) return std::nullopt;
  return value;
}

using ButtonOf = QPushButton* app::FrmPlotControls::*;

const ButtonOf kOtherButtons[] = {
    &app::FrmPlotControls::CmdMoveUp,   &app::FrmPlotControls::CmdMoveLeft,
    &app::FrmPlotControls::CmdZoom,     &app::FrmPlotControls::CmdMoveRight,
    &app::FrmPlotControls::CmdMoveDown, &app::FrmPlotControls::CmdUndo,
    &app::FrmPlotControls::CmdRedo,     &app::FrmPlotControls::CmdSize,
};

// Texts that are no number at all.
const char* const kNotNumbers[] = {
    "",     "-",   ".",   "abc",  " ",        "+",   "e",        "1e",    "--1",  "1..2",
    "0x1F", "nan", "inf", "-inf", "NaN",      "INF", "Infinity", "12 34", "¥100", "\\100",
    "1e+",  ",",   "٫",   "١٢٣",  "12.34.56", "1-2", "－",       "．",    "ｅ",   "1,2.3e",
};
// Numbers a quantity field takes or refuses, small ones aside: zero, negatives, large and huge
// values, odd forms of ordinary ones.
const char* const kOddNumbers[] = {
    "1e39",     "4e36",       "3e36",       "－３",        "0",     "-1000", "12,000",
    "3.4e38",   "-3.4e38",    "1E+07",      "-0",          "1e308", "1e309", "９９．９９",
    "１０００", "１,０００",  "2147483648", "-2147483649", "0.00",  "1,2,3", "1,",
    ",1",       "  250000  ", "1e20",       "-1e-45",      "+100",
};
const char* const kPrices[] = {"12.34", "1.00",     "99.99",    "0.01",  "-3",
                               "150",   "100000.5", "1,234.50", "0",     "98.99",
                               "1.01",  "0.02",     "99.98",    "1.005", "12.5",
                               "-0.01", "1E+07",    "3.3e33",   "1e-45", "１２．５０"};
const char* const kQuantities[] = {"5000",   "1000",   "250000",   "12,000",    "100",
                                   "999999", "1E+07",  "３０００", "241000",    "11000",
                                   "2000",   "240000", "1000.5",   "123456789", "1e12"};
// Quantities far below the usual ones: the tier walk takes the most 0.01 steps for them.
const char* const kTinyQuantities[] = {"1", "１２．５０", "0.5", "7.5", "1e-45", "1.005", "12"};

template <typename T, std::size_t N>
constexpr std::size_t countOf(const T (&)[N]) {
  return N;
}

// "inf" or "nan" in any letter case. (Every caption and printed text is checked after every event:
// a plain scan keeps that cheap.)
bool mentionsNonFinite(const QString& text) {
  const auto lower = [&text](qsizetype i) { return text[i].unicode() | 0x20; };
  for (qsizetype i = 0; i + 2 < text.size(); ++i) {
    const auto a = lower(i), b = lower(i + 1), c = lower(i + 2);
    if ((a == 'i' && b == 'n' && c == 'f') || (a == 'n' && b == 'a' && c == 'n')) return true;
  }
  return false;
}

bool shownRed(const QLineEdit* field) {
  return field->palette().color(QPalette::Text) == QColor(Qt::red);
}

std::string str(const QString& text) { return text.toStdString(); }

// A context menu (「数値をコピー」 on the readout and the figures) runs its own loop until it is
// closed: as a user would, each is left at once or its action chosen.
class MenuCloser : public QObject {
 public:
  explicit MenuCloser(std::function<bool()> choose) : choose_(std::move(choose)) {}
  long shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::Show) {
      ++shown;
      const bool choose = choose_() && !menu->actions().isEmpty();
      QTimer::singleShot(0, menu, [menu, choose] {
        if (choose) menu->actions().first()->trigger();
        menu->close();
      });
    }
    return false;
  }

 private:
  std::function<bool()> choose_;
};

class RandomEventsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    QApplication::instance()->installEventFilter(&menus);
    // A window with a settings file of its own keeps its trade; the named trades too.
    qputenv("XDG_DATA_HOME", kept.path().toUtf8());
    settingsPath = kept.filePath(QStringLiteral("settings.json"));
    tk::setQuestionSink([this](QWidget*, const QString&) {
      ++seen.questions;
      return answer;
    });
    window = std::make_unique<app::FrmPlot>(settingsPath);
    window->show();
    attach();
  }
  void TearDown() override {
    QApplication::instance()->removeEventFilter(&menus);
    WindowTest::TearDown();
    tk::setQuestionSink({});
  }

  // What the checks watch of the window, again after each restart.
  void attach() {
    QApplication::processEvents();
    handle = window->windowHandle();
    // (The toolkit's controls carry no meta-object of their own: findChildren cannot tell them.)
    FrmPlotProbe w = probe();
    labels = {w.ui().LblRieki,  w.ui().LblSoneki, w.ui().LblSell,   w.ui().LblBuy,
              w.ui().LblBYaku,  w.ui().LblSYaku,  w.ui().Label1[0], w.ui().Label1[1],
              w.ui().Label1[6], w.ui().LblBunki};
    for (const tk::MmLabel* figure : w.ui().LblFigures) labels.push_back(figure);
    lines = {w.ui().LinSYaku, w.ui().LinBYaku, w.ui().LinS, w.ui().LinB, w.ui().LinBunki};
    buttons = window->findChildren<QPushButton*>();
    // Watch every change of the three fields after the window's own handler has run, deciding
    // with the window's own rules, on the state it saw, whether the text was taken. A text is
    // taken or refused once, when it changes: nothing else (no redraw, no new view, no other
    // price) changes the trade.
    const auto watch = [this](QLineEdit* field, FieldWatch& watched, auto accept) {
      watched.taken = true;  // the texts at start are taken, the kept ones too
      watched.value = accept(state(), str(field->text())).value_or(0);
      QObject::connect(field, &QLineEdit::textChanged, window.get(),
                       [this, &watched, accept](const QString& text) {
                         const std::optional<float> v = accept(state(), str(text));
                         watched.taken = v.has_value();
                         if (v) watched.value = *v;
                         ++(v ? seen.taken : seen.refused);
                       });
    };
    watch(ui().TxtBP, buy, [](const core::ChartState& s, const std::string& t) {
      return trade::acceptPrice(s, trade::Side::Buy, t);
    });
    watch(ui().TxtSP, sell, [](const core::ChartState& s, const std::string& t) {
      return trade::acceptPrice(s, trade::Side::Sell, t);
    });
    watch(ui().TxtQua, quantity, [](const core::ChartState& s, const std::string& t) {
      return trade::acceptQuantity(s, t);
    });
  }

  // ---- random choices ----
  std::size_t pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
  }
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
  template <typename T, std::size_t N>
  T from(const T (&pool)[N]) {
    return pool[pick(N)];
  }
  Qt::MouseButton mouseButton() {
    const int r = between(0, 9);
    return r < 6 ? Qt::LeftButton : r < 8 ? Qt::RightButton : Qt::MiddleButton;
  }
  static const char* nameOf(Qt::MouseButton b) {
    return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
  }
  QPoint anywhereInWindow() {
    return QPoint(between(0, window->width() - 1), between(0, window->height() - 1));
  }
  // The same for events through the window system: the platform window may be smaller than the
  // widget (the offscreen screen clips it).
  QPoint anywhereInPlatformWindow() {
    const QSize size = window->size().boundedTo(handle->geometry().size());
    return QPoint(between(0, size.width() - 1), between(0, size.height() - 1));
  }
  // A point over one of the controls (labels lie over the chart), in window coordinates.
  QPoint overSomeControl() {
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    QWidget* w = all[static_cast<qsizetype>(pick(static_cast<std::size_t>(all.size())))];
    const QRect r = w->rect();
    return w->mapTo(window.get(),
                    QPoint(between(r.left(), r.right()), between(r.top(), r.bottom())));
  }
  std::string randomDigits(int minLength, int maxLength) {
    std::string s(static_cast<std::size_t>(between(minLength, maxLength)), '0');
    for (char& c : s) c = static_cast<char>('0' + between(0, 9));
    if (s.size() > 1 && s[0] == '0') s[0] = static_cast<char>('1' + between(0, 8));
    return s;
  }
  std::string longText() {
    static const char kChars[] = "0123456789.,-+eE ";
    std::string s(static_cast<std::size_t>(between(40, 1500)), '9');
    const int kind = between(0, 2);
    if (kind == 1) {
      for (char& c : s) c = kChars[pick(sizeof kChars - 1)];
    } else if (kind == 2) {
      s[static_cast<std::size_t>(between(1, 30))] = '.';
    }
    return s;
  }
  std::string priceText() {
    const int r = between(0, 99);
    if (r < 25) return from(kNotNumbers);
    if (r < 40) return from(kOddNumbers);
    if (r < 55) return from(kPrices);
    if (r < 60) return from(kTinyQuantities);
    if (r < 63) return longText();
    if (r < 75) return randomDigits(1, 12);
    return core::format0_00(real(-30, 130));
  }
  std::string quantityText() {
    const int r = between(0, 999);
    std::string text;
    if (r < 300) {
      text = from(kNotNumbers);
    } else if (r < 520) {
      text = from(kOddNumbers);
    } else if (r < 800) {
      text = from(kQuantities);
    } else if (r < 830) {
      text = longText();
    } else if (r < 950) {
      text = randomDigits(1, 9);
    } else {
      text = from(kTinyQuantities);
    }
    return text;
  }

  // ---- the events ----
  QPushButton* anyButton() {
    const std::size_t i = pick(countOf(kStepButtons) + countOf(kOtherButtons));
    return i < countOf(kStepButtons) ? ui().*kStepButtons[i].button
                                     : ui().*kOtherButtons[i - countOf(kStepButtons)];
  }
  QLineEdit* anyField(bool* isQuantity) {
    const int f = between(0, 2);
    *isQuantity = f == 0;
    return f == 0 ? ui().TxtQua : f == 1 ? ui().TxtBP : ui().TxtSP;
  }

  void clickButton() {
    QPushButton* b = anyButton();
    const Qt::MouseButton m = mouseButton();
    const QPoint at = b->mapTo(window.get(), b->rect().center());
    if (chance(0.2) && QRect(QPoint(0, 0), handle->geometry().size()).contains(at)) {
      describe("click (window delivery) " + std::string(nameOf(m)) + " on " + str(b->objectName()));
      QTest::mouseClick(handle, m, {}, at);
    } else {
      describe("click " + std::string(nameOf(m)) + " on " + str(b->objectName()));
      QTest::mouseClick(b, m);
    }
    settleSometimes();
  }

  // Lets the window paint what the event changed. Painting costs about as much as the event, so
  // most events leave it to a later one (the paints coalesce).
  void settleSometimes() {
    if (chance(0.1)) QApplication::processEvents();
  }

  void undoRedo() {
    QPushButton* b = chance(0.5) ? ui().CmdUndo : ui().CmdRedo;
    describe("click on " + str(b->objectName()));
    QTest::mouseClick(b, Qt::LeftButton);
  }

  // One navigation button clicked again and again, as a user widens or pans the view far or
  // walks the history: the views a few random clicks never reach (very wide ones, up to where a
  // float ends).
  bool clickRepeatedly(long event) {
    static const ButtonOf kNavigation[] = {
        &app::FrmPlotControls::CmdZoom,      &app::FrmPlotControls::CmdZoom,
        &app::FrmPlotControls::CmdZoom,      &app::FrmPlotControls::CmdMoveUp,
        &app::FrmPlotControls::CmdMoveRight, &app::FrmPlotControls::CmdMoveLeft,
        &app::FrmPlotControls::CmdMoveDown,  &app::FrmPlotControls::CmdUndo,
        &app::FrmPlotControls::CmdRedo};
    QPushButton* b = ui().*from(kNavigation);
    const int r = between(0, 99);
    int clicks = r < 85 ? between(2, 8) : r < 99 ? between(9, 30) : between(60, 300);
    // Sometimes all the way back (a very wide view is left that way).
    if (b == ui().CmdUndo && chance(0.2))
      clicks = std::min(100, static_cast<int>(state().historyIndex));
    for (int i = 0; i < clicks; ++i) {
      describe("click " + std::to_string(i + 1) + " of " + std::to_string(clicks) + " on " +
               str(b->objectName()));
      QTest::mouseClick(b, Qt::LeftButton);
      if (i + 1 < clicks && !checkAfter(event, false)) return false;
    }
    return true;
  }

  void spaceBar() {
    QPushButton* b = anyButton();
    describe("space bar on " + str(b->objectName()));
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    settleSometimes();
  }

  // Press, a number of repeat ticks, release (sometimes off the button): the invariants are
  // checked after each step of the hold.
  bool holdStepButton(long event) {
    const StepButton& s = kStepButtons[pick(countOf(kStepButtons))];
    QPushButton* b = ui().*s.button;
    const Qt::MouseButton m = mouseButton();
    const QPoint onButton = b->mapTo(window.get(), b->rect().center());
    const bool viaWindow =
        chance(0.25) && QRect(QPoint(0, 0), handle->geometry().size()).contains(onButton);
    const int r = between(0, 99);
    // Through the window's delivery the event loop runs, so real ticks could join in: keep those
    // holds short.
    const int ticks = viaWindow ? between(0, 3)
                      : r < 70  ? between(0, 5)
                      : r < 98  ? between(6, 40)
                                : between(41, 400);
    const bool offButton = chance(0.3);
    const std::string what = std::string(viaWindow ? "(window delivery) " : "") + "hold " +
                             nameOf(m) + " on " + str(b->objectName()) + " for " +
                             std::to_string(ticks) + " ticks, released " +
                             (offButton ? "off it" : "on it");
    describe(what + ": press");
    if (viaWindow) {
      QTest::mousePress(handle, m, {}, onButton);
    } else {
      QTest::mousePress(b, m);
    }
    if (!checkAfter(event, true)) return false;
    // A timer ticks only while it runs (a press a minimised window never saw starts nothing).
    const QTimer* timer = ui().*s.timer;
    for (int i = 0; i < ticks && timer->isActive(); ++i) {
      describe(what + ": tick " + std::to_string(i + 1));
      tick(ui().*s.timer);
      ++seen.ticks;
      if (!checkAfter(event, true)) return false;
    }
    describe(what + ": release");
    if (viaWindow) {
      QTest::mouseRelease(handle, m, {}, offButton ? anywhereInPlatformWindow() : onButton);
    } else {
      QTest::mouseRelease(
          b, m, {},
          offButton ? QPoint(-between(1, 200), b->height() + between(0, 50)) : b->rect().center());
    }
    return true;
  }

  void typeText() {
    bool isQuantity = false;
    QLineEdit* field = anyField(&isQuantity);
    const std::string text = isQuantity ? quantityText() : priceText();
    const QString q = QString::fromStdString(text);
    const std::string name = str(field->objectName());
    const int r = between(0, 99);
    if (r < 60 || text.size() > 24) {
      describe("setText " + name + " \"" + text.substr(0, 60) + "\" (" +
               std::to_string(text.size()) + " bytes)");
      field->setText(q);
      return;
    }
    // Typed key by key: each key changes the text once.
    const bool clearFirst = chance(0.6);
    describe("type " + name + (clearFirst ? " over all: \"" : " at the end: \"") + text + "\"");
    if (clearFirst) {
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    } else {
      QTest::keyClick(field, Qt::Key_End);
    }
    typeKeys(field, q);
  }

  void typeKeys(QLineEdit* field, const QString& text) {
    bool latin = true;
    for (QChar c : text) latin = latin && c.unicode() < 0x80;
    if (latin) {
      QTest::keyClicks(field, text);
      return;
    }
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), {});
  }

  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* name;
  };
  void editKey() {
    bool isQuantity = false;
    QLineEdit* field = anyField(&isQuantity);
    Q_UNUSED(isQuantity);
    static const Key kKeys[] = {
        {Qt::Key_Backspace, {}, "Backspace"},
        {Qt::Key_Delete, {}, "Delete"},
        {Qt::Key_Home, {}, "Home"},
        {Qt::Key_End, {}, "End"},
        {Qt::Key_Left, {}, "Left"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
        {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
        {Qt::Key_Minus, {}, "-"},
        {Qt::Key_Period, {}, "."},
    };
    const Key& k = from(kKeys);
    describe(std::string("key ") + k.name + " in " + str(field->objectName()));
    pressKey(field, k);
  }
  static void pressKey(QLineEdit* field, const Key& k) {
    if (k.key == Qt::Key_Minus || k.key == Qt::Key_Period) {
      QTest::keyClick(field, k.key == Qt::Key_Minus ? '-' : '.');
    } else {
      QTest::keyClick(field, k.key, k.mods);
    }
  }

  // The inputs beyond buttons, fields and clicks: the wheel over the chart and over a field, a
  // field's step keys, Esc, the view keys, and new settings taking effect.
  void otherInput() {
    const int r = between(0, 99);
    if (r < 25) {
      const bool overField = chance(0.3);
      bool isQuantity = false;
      QWidget* target = overField ? static_cast<QWidget*>(anyField(&isQuantity)) : window.get();
      const QPoint at = overField ? target->rect().center() : anywhereInWindow();
      static const int kDeltas[] = {-240, -120, -60, 60, 120, 360};
      const int delta = from(kDeltas);
      const Qt::KeyboardModifiers mods = chance(0.3) ? Qt::ControlModifier : Qt::NoModifier;
      describe("wheel " + std::to_string(delta) + (mods ? " with Ctrl" : "") + " over " +
               str(target->objectName()) + " at " + point(at));
      QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(target, &wheel);
    } else if (r < 50) {
      bool isQuantity = false;
      QLineEdit* field = anyField(&isQuantity);
      static const Key kKeys[] = {{Qt::Key_Up, {}, "Up"},
                                  {Qt::Key_Down, {}, "Down"},
                                  {Qt::Key_PageUp, {}, "PageUp"},
                                  {Qt::Key_PageDown, {}, "PageDown"}};
      const Key& k = from(kKeys);
      describe(std::string("key ") + k.name + " in " + str(field->objectName()));
      pressKey(field, k);
    } else if (r < 80) {
      static const Key kKeys[] = {{Qt::Key_Escape, {}, "Esc"},
                                  {Qt::Key_0, Qt::ControlModifier, "Ctrl+0"},
                                  {Qt::Key_Equal, Qt::ControlModifier, "Ctrl+="},
                                  {Qt::Key_Minus, Qt::ControlModifier, "Ctrl+-"}};
      const Key& k = from(kKeys);
      QWidget* target = chance(0.5) ? static_cast<QWidget*>(window.get())
                                    : static_cast<QWidget*>(buttons[static_cast<qsizetype>(
                                          pick(static_cast<std::size_t>(buttons.size())))]);
      describe(std::string("key ") + k.name + " on " + str(target->objectName()));
      window->activateWindow();  // the view keys are the window's shortcuts
      QTest::keyClick(target, k.key, k.mods);
    } else {
      core::TradeSettings settings = core::builtInSettings();
      if (chance(0.7)) {
        settings.fees.clear();
        const int tiers = between(1, 20);
        std::int64_t below = 0;
        for (int i = 0; i + 1 < tiers; ++i) {
          static const int kGaps[] = {1, 1000, 50000, 1000000, 1000000000};
          below += from(kGaps);
          settings.fees.push_back({below, between(0, 5000)});
        }
        settings.fees.push_back({std::nullopt, between(0, 5000)});
        settings.quantity = {between(1, 1000), between(1000, 20000), between(1, 100),
                             between(200, 10000000)};
        settings.price = {between(1, 100), between(100, 10000), between(1, 100),
                          between(200, 1000000000)};
        settings.taxThousandths = between(0, 100000);
      }
      describe("new settings: " + std::to_string(settings.fees.size()) + " tiers");
      probe().ApplySettings(settings);
    }
    QApplication::processEvents();
  }

  void resizeWindow() {
    const int r = between(0, 99);
    if (r < 25) {
      const int twips = between(500, 25000);
      describe("set outer width " + std::to_string(twips) + " twips");
      tk::setOuterWidthTwips(window.get(), twips);
    } else if (r < 50) {
      const int twips = between(500, 20000);
      describe("set outer height " + std::to_string(twips) + " twips");
      tk::setOuterHeightTwips(window.get(), twips);
    } else if (r < 80) {
      const QSize size(between(0, 1700), between(0, 1300));
      describe("resize to " + std::to_string(size.width()) + "x" + std::to_string(size.height()) +
               " px");
      window->resize(size);
    } else if (r < 88) {
      // Where no window manager keeps the minimum, the resize rule must raise the size itself.
      const QSize size(between(0, 400), between(0, 400));
      describe("drop the minimum size, resize to " + std::to_string(size.width()) + "x" +
               std::to_string(size.height()) + " px");
      window->setMinimumSize(0, 0);
      window->resize(size);
    } else {
      static const Qt::WindowState kStates[] = {
          Qt::WindowNoState, Qt::WindowNoState,   Qt::WindowNoState,   Qt::WindowNoState,
          Qt::WindowNoState, Qt::WindowMaximized, Qt::WindowMinimized, Qt::WindowFullScreen};
      static const char* const kNames[] = {"restore", "restore",  "restore",  "restore",
                                           "restore", "maximise", "minimise", "full screen"};
      const std::size_t i = pick(countOf(kStates));
      describe(kNames[i]);
      window->setWindowState(kStates[i]);
    }
    QApplication::processEvents();
  }

  void mouseOnWindow() {
    const int r = between(0, 99);
    if (r < 20) {
      QPoint at = chance(0.7) ? anywhereInPlatformWindow() : overSomeControl();
      if (!QRect(QPoint(0, 0), handle->geometry().size()).contains(at))
        at = anywhereInPlatformWindow();
      const Qt::MouseButton m = mouseButton();
      describe("click (window delivery) " + std::string(nameOf(m)) + " at " + point(at));
      QTest::mouseClick(handle, m, {}, at);
    } else if (r < 45) {
      const QPoint at = anywhereInPlatformWindow();
      describe("move (window delivery) to " + point(at));
      QTest::mouseMove(handle, at);
    } else if (r < 55) {
      const QPoint at = chance(0.8) ? anywhereInWindow() : overSomeControl();
      const Qt::MouseButton m = mouseButton();
      describe("press and release " + std::string(nameOf(m)) + " on the window at " + point(at));
      QTest::mousePress(window.get(), m, {}, at);
      QTest::mouseRelease(window.get(), m, {}, at);
    } else if (r < 60) {
      const QPoint at = anywhereInWindow();
      describe("move on the window to " + point(at));
      QTest::mouseMove(window.get(), at);
    } else {
      const float x = chartCoordinate(true);
      const float y = chartCoordinate(false);
      const bool press = chance(0.4);
      describe(std::string(press ? "Form_MouseDown(" : "Form_MouseMove(") + core::plainFloat(x) +
               ", " + core::plainFloat(y) + ")");
      press ? probe().Form_MouseDown(x, y) : probe().Form_MouseMove(x, y);
    }
  }
  // 保存, a name chosen or 削除, with a question answered either way. (Other events click these
  // buttons too.) The list shows what the file holds; a saved trade is the one shown, and a name
  // chosen brings it back.
  void namedTrade() {
    static const char* const kNames[] = {"トヨタ", "ソニー", "任天堂", " 7203 "};
    const QString name = QString::fromUtf8(from(kNames));
    QComboBox* names = ui().CmbTrades;
    answer = chance(0.7);
    const int r = between(0, 2);
    names->setEditText(name);
    const QString key = name.trimmed();
    const auto fileHolds = [&] {
      app::TradesStore file(probe().namedTradesPath());
      EXPECT_FALSE(file.load());
      return file;
    };
    if (r == 0) {
      describe("save the trade as \"" + str(name) + "\", answering " + (answer ? "yes" : "no"));
      const bool known = fileHolds().find(key) != nullptr;
      const std::array<float, 3> shown = {state().quantity, state().buyPrice, state().sellPrice};
      const std::optional<std::int64_t> target = state().targetAfterTax;
      const bool nisa = state().nisa;
      QTest::mouseClick(ui().CmdSaveTrade, Qt::LeftButton);
      if (!known || answer) {
        // What the file holds for the name, read as the fields read it, is what was shown.
        const app::TradesStore file = fileHolds();
        const app::KeptTrade* saved = file.find(key);
        const auto read = [](const QString& t) { return core::readStrictFloat(str(t)); };
        if (!saved || read(saved->quantity) != shown[0] || read(saved->buyPrice) != shown[1] ||
            read(saved->sellPrice) != shown[2] || saved->nisa != nisa ||
            trade::acceptTarget(str(saved->target)).value_or(trade::TargetEntry{{-1}}).yen !=
                target)
          ADD_FAILURE() << "the file does not hold the trade saved as " << str(key);
      }
    } else if (r == 1) {
      const int index = names->findText(key);
      describe("choose \"" + str(key) + "\"" + (index < 0 ? " (not in the list)" : ""));
      if (index < 0) return;
      names->setCurrentIndex(index);
      names->activated(index);
      const app::TradesStore file = fileHolds();
      const app::KeptTrade* saved = file.find(key);
      if (!saved || core::readStrictFloat(str(saved->quantity)) != state().quantity ||
          core::readStrictFloat(str(saved->buyPrice)) != state().buyPrice ||
          core::readStrictFloat(str(saved->sellPrice)) != state().sellPrice ||
          saved->nisa != state().nisa || saved->target != ui().TxtTarget->text())
        ADD_FAILURE() << "choosing " << str(key) << " did not bring its trade back: "
                      << (saved ? str(saved->quantity + u' ' + saved->buyPrice + u' ' +
                                      saved->sellPrice)
                                : std::string("(not in the file)"))
                      << " shows " << str(fields());
    } else {
      describe("delete \"" + str(key) + "\", answering " + (answer ? "yes" : "no"));
      const bool known = fileHolds().find(key) != nullptr;
      if (ui().CmdDeleteTrade->isEnabled() != known)
        ADD_FAILURE() << "削除 is " << (known ? "disabled" : "enabled") << " for " << str(key);
      QTest::mouseClick(ui().CmdDeleteTrade, Qt::LeftButton);
      if ((fileHolds().find(key) != nullptr) != (known && !answer))
        ADD_FAILURE() << str(key) << " is not deleted as answered";
    }
    QStringList listed, held;
    for (int i = 0; i < names->count(); ++i) listed << names->itemText(i);
    const app::TradesStore file = fileHolds();
    for (const app::NamedTrade& t : file.trades()) held << t.name;
    if (listed != held)
      ADD_FAILURE() << "the list holds " << str(listed.join(u',')) << ", the file "
                    << str(held.join(u',')) << " after " << recent.back();
  }

  // The target typed (or a text it does not take) or the NISA switch flipped by key or click.
  void targetOrNisa() {
    static const char* const kTargets[] = {"", "10000", "-500", "0", "1.5", "abc", "1e30"};
    if (chance(0.5)) {
      const char* text = from(kTargets);
      describe("type the target \"" + std::string(text) + "\"");
      ui().TxtTarget->setText(QString::fromUtf8(text));
    } else if (chance(0.5)) {
      describe("space on the NISA switch");
      ui().ChkNisa->setFocus();
      QTest::keyClick(ui().ChkNisa, Qt::Key_Space);
    } else {
      describe("click the NISA switch");
      QTest::mouseClick(ui().ChkNisa, Qt::LeftButton);
    }
  }

  // Closes the window (or drops it as a crash would, after its timer wrote) and opens it again:
  // it shows the last trade, size and view of its settings file.
  void restart() {
    const bool crash = chance(0.5);
    describe(crash ? "restart after the keep timer fired" : "restart after closing the window");
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen())
      window->showNormal();
    QApplication::processEvents();
    const core::ChartState before = state();
    if (crash)
      tick(ui().TmrKeep);
    else
      window->close();
    window = std::make_unique<app::FrmPlot>(settingsPath);
    window->show();
    attach();
    ++seen.restarts;

    const core::ChartState& after = state();
    if (after.quantity != before.quantity || after.buyPrice != before.buyPrice ||
        after.sellPrice != before.sellPrice || after.compactMode != before.compactMode ||
        after.targetAfterTax != before.targetAfterTax || after.nisa != before.nisa ||
        core::currentView(after) != core::currentView(before))
      ADD_FAILURE() << "after a restart the window shows " << core::plainFloat(after.quantity)
                    << " @ " << core::plainFloat(after.buyPrice) << " / "
                    << core::plainFloat(after.sellPrice) << ", not "
                    << core::plainFloat(before.quantity) << " @ "
                    << core::plainFloat(before.buyPrice) << " / "
                    << core::plainFloat(before.sellPrice)
                    << " (or another size, view, target or NISA switch)";
  }

  QString fields() const {
    return ui().TxtQua->text() + (shownRed(ui().TxtQua) ? "(red) " : " ") + ui().TxtBP->text() +
           (shownRed(ui().TxtBP) ? "(red) " : " ") + ui().TxtSP->text() +
           (shownRed(ui().TxtSP) ? "(red)" : "");
  }

  static std::string point(QPoint p) {
    return "(" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ") px";
  }
  // A coordinate in millimetres: on the plot area's border, just beside it, inside, or anywhere
  // the pointer can be while the window holds the mouse.
  float chartCoordinate(bool across) {
    const core::ChartState& s = state();
    const float low = across
                          ? s.graphLeft
                          : static_cast<float>(static_cast<double>(s.graphBottom) - s.graphHeight);
    const float high = across ? static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth)
                              : s.graphBottom;
    const int r = between(0, 9);
    if (r < 2) return chance(0.5) ? low : high;
    if (r < 3) {
      const float edge = chance(0.5) ? low : high;
      return std::nextafter(edge, chance(0.5) ? -1e9f : 1e9f);
    }
    if (r < 8) return static_cast<float>(real(low, high));
    return static_cast<float>(real(-500, 1000));
  }

  // ---- invariants ----
  // Every invariant the event broke, described; empty when the window is sound. (Checked after
  // every event and tick: messages are built only for what is broken.)
  std::vector<std::string> broken(bool holding) const {
    std::vector<std::string> v;
    const core::ChartState& s = state();
    const auto positive = [](float f) { return std::isfinite(f) && f > 0; };
    const auto finite = [](std::initializer_list<float> values) {
      return std::all_of(values.begin(), values.end(), [](float f) { return std::isfinite(f); });
    };
    const auto text = [](float f) { return core::plainFloat(f); };

    if (ui().ChkNisa->isChecked() != s.nisa) v.push_back("the NISA switch and the tax disagree");
    // The view and the quantity.
    if (!positive(s.priceSpan)) v.push_back("priceSpan " + text(s.priceSpan));
    if (!positive(s.amountSpan)) v.push_back("amountSpan " + text(s.amountSpan));
    if (!positive(s.quantity)) v.push_back("quantity " + text(s.quantity));
    if (!positive(s.graphWidth) || !positive(s.graphHeight)) v.push_back("plot area has no size");
    if (!finite({s.priceMin, s.priceMax, s.amountMin, s.amountMax}))
      v.push_back("axis ends " + text(s.priceMin) + ".." + text(s.priceMax) + ", " +
                  text(s.amountMin) + ".." + text(s.amountMax));
    if (s.priceMax != static_cast<float>(static_cast<double>(s.priceMin) + s.priceSpan))
      v.push_back("priceMax is not priceMin + priceSpan");
    if (s.amountMax != static_cast<float>(static_cast<double>(s.amountSpan) + s.amountMin))
      v.push_back("amountMax is not amountMin + amountSpan");

    // The history.
    const float h = s.historyIndex;
    const std::size_t entries = s.viewHistory.size();
    if (!std::isfinite(h) || std::floor(h) != h || h < 0 || entries == 0 ||
        h > static_cast<float>(entries - 1)) {
      v.push_back("historyIndex " + text(h) + " outside 0.." + std::to_string(entries) + "-1");
    } else {
      if (ui().CmdUndo->isEnabled() != (h > 0))
        v.push_back("undo enabling does not follow the index");
      if (ui().CmdRedo->isEnabled() != (h < static_cast<float>(entries - 1)))
        v.push_back("redo enabling does not follow the index");
      if (s.viewHistory[static_cast<std::size_t>(h)] != core::currentView(s))
        v.push_back("the view shown is not the history entry at the index");
    }

    // The fields: the state holds the value of a field whose text was taken, and keeps its last
    // good value while the text is refused, shown red.
    const auto field = [&](const QLineEdit* f, const FieldWatch& w, float held) {
      const std::string name = str(f->objectName());
      if (held != w.value)
        v.push_back(name + ": state " + text(held) + " but the last taken value is " +
                    text(w.value));
      if (w.taken) {
        const auto value = core::readStrictFloat(str(f->text()));
        if (!value || *value != held)
          v.push_back(name + ": taken text \"" + str(f->text()).substr(0, 40) + "\" but state " +
                      text(held));
      }
      if (shownRed(f) == w.taken)
        v.push_back(name + (w.taken ? ": taken but shown red" : ": refused but not shown red"));
    };
    field(ui().TxtBP, buy, s.buyPrice);
    field(ui().TxtSP, sell, s.sellPrice);
    field(ui().TxtQua, quantity, s.quantity);

    // Nothing non-finite on the screen.
    for (const tk::MmLabel* l : labels) {
      if (mentionsNonFinite(l->caption()))
        v.push_back(str(l->objectName()) + " reads " + str(l->caption()));
      if (!finite({l->leftMm(), l->topMm()}))
        v.push_back(str(l->objectName()) + " placed at a non-finite position");
    }
    for (const QPushButton* b : buttons)
      if (mentionsNonFinite(b->text()))
        v.push_back(str(b->objectName()) + " reads " + str(b->text()));
    for (const tk::LineControl* l : lines)
      if (!finite({l->x1(), l->y1(), l->x2(), l->y2()}))
        v.push_back(str(l->objectName()) + " has a non-finite end");
    const tk::ShapeControl* a = ui().ShpArea;
    if (!finite({a->leftMm(), a->topMm(), a->widthMm(), a->heightMm()}) || a->widthMm() < 0 ||
        a->heightMm() < 0)
      v.push_back("ShpArea's rectangle is not finite");
    for (const tk::DrawOp& op : surface().ops()) {
      if (!finite({op.x1, op.y1, op.x2, op.y2})) {
        v.push_back("display list holds a non-finite coordinate");
        break;
      }
      if (op.kind == tk::DrawOp::Text && mentionsNonFinite(op.text)) {
        v.push_back("display list prints " + str(op.text));
        break;
      }
    }

    // The repeat timers: never a negative count, and all idle once the button is let go.
    if (s.repeatCount < 0) v.push_back("repeatCount " + std::to_string(s.repeatCount));
    if (!holding) {
      for (const StepButton& b : kStepButtons) {  // (each timer serves two buttons)
        const QTimer* timer = ui().*b.timer;
        if (timer->isActive() || timer->interval() != 500)
          v.push_back(str(timer->objectName()) + " not idle after the release");
      }
      if (s.repeatCount != 0) v.push_back("repeatCount not reset after the release");
    }
    if (!messages.isEmpty()) v.push_back("message box: " + str(messages.front()));
    return v;
  }

  // Checks after one event (or one step of a hold); reports the first break and stops the run.
  bool checkAfter(long event, bool holding) {
    const std::vector<std::string> v = broken(holding);
    if (v.empty()) {
      note();
      return true;
    }
    std::string report = "HOSHINAMI_SEED=" + std::to_string(seed) + ": event " +
                         std::to_string(event) + " broke the window:\n";
    for (const auto& line : v) report += "  - " + line + "\n";
    report += "events, latest last:\n";
    for (const auto& line : recent) report += "  " + line + "\n";
    ADD_FAILURE() << report;
    return false;
  }

  void describe(std::string what) {
    recent.push_back(std::to_string(eventIndex) + ": " + std::move(what));
    if (recent.size() > 12) recent.pop_front();
  }

  // What the run went through, to show that the mix reaches the corners it is meant to.
  struct Seen {
    long ticks = 0, taken = 0, refused = 0, zooms = 0, locked = 0, questions = 0, restarts = 0;
    std::size_t longestHistory = 1;
    float narrowest = INFINITY, widest = 0;  // price spans
    bool selecting = false;
    std::string summary() const {
      return std::to_string(ticks) + " ticks, " + std::to_string(taken) + " texts taken, " +
             std::to_string(refused) + " refused, " + std::to_string(zooms) + " mouse zooms, " +
             std::to_string(locked) + " events while minimised or maximised, " +
             std::to_string(longestHistory) + " history entries at most, price spans from " +
             core::plainFloat(narrowest) + " to " + core::plainFloat(widest) + ", " +
             std::to_string(questions) + " questions, " + std::to_string(restarts) + " restarts";
    }
  };

  void note() {
    const core::ChartState& s = state();
    if (seen.selecting && s.selectionActive == core::kFalse) ++seen.zooms;
    seen.selecting = s.selectionActive != core::kFalse;
    seen.longestHistory = std::max(seen.longestHistory, s.viewHistory.size());
    seen.narrowest = std::min(seen.narrowest, s.priceSpan);
    seen.widest = std::max(seen.widest, s.priceSpan);
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) ++seen.locked;
  }

  struct FieldWatch {
    bool taken = true;  // the design texts are taken at start-up
    float value = 0;    // the last value taken
  };

  MenuCloser menus{[this] { return chance(0.5); }};
  QTemporaryDir kept;
  QString settingsPath;
  bool answer = true;
  QWindow* handle = nullptr;
  std::vector<const tk::MmLabel*> labels;
  std::vector<const tk::LineControl*> lines;
  QList<QPushButton*> buttons;
  FieldWatch buy, sell, quantity;
  Seen seen;
  std::uint32_t seed = kDefaultSeed;
  std::mt19937 rng;
  long eventIndex = 0;
  std::deque<std::string> recent;
};

TEST_F(RandomEventsTest, ASeededStormKeepsTheWindowSound) {
  seed = static_cast<std::uint32_t>(fromEnvironment("HOSHINAMI_SEED").value_or(kDefaultSeed));
  const long events =
      static_cast<long>(fromEnvironment("HOSHINAMI_EVENTS").value_or(kDefaultEvents));
  rng.seed(seed);
  std::cout << "HOSHINAMI_SEED=" << seed << " HOSHINAMI_EVENTS=" << events << std::endl;
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(checkAfter(-1, false));

  for (eventIndex = 0; eventIndex < events; ++eventIndex) {
    const int r = between(0, 999);
    if (r < 180) {
      clickButton();
    } else if (r < 210) {
      undoRedo();
    } else if (r < 230) {
      if (!clickRepeatedly(eventIndex)) return;
    } else if (r < 270) {
      spaceBar();
    } else if (r < 370) {
      if (!holdStepButton(eventIndex)) return;
    } else if (r < 560) {
      typeText();
    } else if (r < 610) {
      editKey();
    } else if (r < 680) {
      resizeWindow();
    } else if (r < 760) {
      otherInput();
    } else if (r < 775) {
      namedTrade();
    } else if (r < 781) {
      restart();
    } else if (r < 796) {
      targetOrNisa();
    } else {
      mouseOnWindow();
    }
    if (!checkAfter(eventIndex, false)) return;
  }
  std::cout << seen.summary() << ", " << menus.shown << " context menus" << std::endl;
  // A mix that no longer reaches these would pass without testing much.
  if (events >= kDefaultEvents) {
    EXPECT_GT(seen.ticks, 1000);
    EXPECT_GT(seen.refused, 500);
    EXPECT_GT(seen.zooms, 5);
    EXPECT_GT(seen.locked, 100);
    EXPECT_GT(seen.longestHistory, 20u);
    EXPECT_GT(seen.questions, 10);
    EXPECT_GT(seen.restarts, 10);
  }
}

}  // namespace
