// The start-up benchmark's exit after the first paint: it must quit only once the window has been
// painted, and must leave the program alone unless the variable asks for it.
#include "app/first_paint_exit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

namespace {

constexpr char kVariable[] = "HOSHINAMI_EXIT_AFTER_FIRST_PAINT";

class CountingWindow : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

TEST(FirstPaintExit, InstallsNothingUnlessTheVariableIsOne) {
  for (const char* value : {static_cast<const char*>(nullptr), "", "0", "yes", "2"}) {
    SCOPED_TRACE(value ? value : "(unset)");
    if (value)
      qputenv(kVariable, value);
    else
      qunsetenv(kVariable);
    QWidget window;
    app::quitAfterFirstPaintIfAsked(&window);
    EXPECT_TRUE(window.children().isEmpty());
  }
  qunsetenv(kVariable);
}

TEST(FirstPaintExit, QuitsTheEventLoopAfterTheWindowIsPainted) {
  qputenv(kVariable, "1");
  CountingWindow window;
  window.resize(200, 100);
  app::quitAfterFirstPaintIfAsked(&window);
  qunsetenv(kVariable);

  // A window that is never painted would otherwise keep the loop running for good.
  bool timedOut = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::quit();
  });
  guard.start(10000);

  window.show();
  QCoreApplication::exec();
  EXPECT_FALSE(timedOut);
  EXPECT_GE(window.paints, 1);
}
