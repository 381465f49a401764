#pragma once
// Event filters for command buttons: keyboard clicks and the mouse hold of a step button.
#include <QObject>
#include <QtGlobal>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tk {

// The keyboard's clicks of a command button, the same on every route: Enter, Return and the
// space bar on a focused button, and its access key (Alt+U...) wherever the focus is, click an
// enabled button at once, synchronously, exactly once per key press. A held key clicks once:
// neither the repeats the platform marks as such nor the release/press pairs an X server sends
// for a held key (one timestamp for both, not always marked on a busy machine) click again. The
// space bar clicks on its press, not its release, so a held one has already made its one click.
// A focused button that becomes disabled takes the keyboard focus with it: the focus rests on the
// window, so the next key press acts on no control (Tab moves on from there), instead of falling
// to the next control in the tab order, where a second press of the same key would act on it.
class KeyClicks : public QObject {
 public:
  using QObject::QObject;
  // Watches the widget and every widget inside it.
  void watchAll(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool repeats(const QKeyEvent* key) const;

  int releasedKey_ = 0;
  quint64 releaseTime_ = 0;  // 0: unknown (synthetic events carry no time)
  bool accessKeyRepeats_ = false;
  QObject* disabledWithFocus_ = nullptr;
};

// Watches a step button's mouse hold, for any mouse button: `pressed` runs on a press (and on the
// second press of a quick double press), `released` once the hold ends. It ends on the release,
// wherever the pointer then is, and also whenever that release can no longer reach the button:
// the window is deactivated or loses the focus, the mouse grab is taken away, or the button is
// hidden or disabled. The button's own pressed/released notifications are no use for this: they
// also fire for the space bar, and when the pointer slides off while held.
class MouseHoldWatcher : public QObject {
 public:
  MouseHoldWatcher(std::function<void()> pressed, std::function<void()> released, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void letGo();

  std::function<void()> pressed_;
  std::function<void()> released_;
  bool held_ = false;
};

}  // namespace tk
