#pragma once
// Event filters for command buttons: keyboard clicks and the mouse hold of a step button.
#include <QObject>
#include <functional>

namespace tk {

// Enter or Return on a focused command button clicks it once, as the space bar does; a held key's
// repeats do not click again.
class EnterClicksButton : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Watches a step button's mouse presses and releases, for any mouse button: `pressed` runs on a
// press (and on the second press of a quick double press), `released` on the release, wherever the
// pointer then is. The button's own pressed/released notifications are no use for this: they also
// fire for the space bar, and when the pointer slides off while held.
class MouseHoldWatcher : public QObject {
 public:
  MouseHoldWatcher(std::function<void()> pressed, std::function<void()> released, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> pressed_;
  std::function<void()> released_;
};

}  // namespace tk
