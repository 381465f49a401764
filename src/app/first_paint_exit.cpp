#include "app/first_paint_exit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace app {

namespace {

// Watches the window's paint events. The quit is queued, so it runs once the whole frame (the
// window and all its children) has been painted and flushed and control is back in the event loop.
class FirstPaintWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace

void quitAfterFirstPaintIfAsked(QWidget* window) {
  if (qEnvironmentVariableIntValue("HOSHINAMI_EXIT_AFTER_FIRST_PAINT") != 1) return;
  window->installEventFilter(new FirstPaintWatcher(window));
}

}  // namespace app
