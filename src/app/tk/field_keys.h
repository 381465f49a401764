#pragma once
// An entry field that steps like a spin box: Up/Down are its row's small steps and PageUp/PageDown
// its large ones, each press and each autorepeat of a held key one step; the mouse wheel steps it
// too, focused or not, one small step per notch (a large one with Ctrl). The step is the row's
// own button handler, so the limits and the text written are the buttons'.
#include <QObject>
#include <functional>

namespace tk {

// Whole wheel notches out of wheel turns. A turn is `delta` eighths of a degree (120 = one notch,
// away from the user positive); high-resolution wheels send small parts of a notch, and what a
// turn leaves over counts toward the next.
class WheelNotches {
 public:
  int take(int delta);

 private:
  int remainder_ = 0;
};

struct FieldSteps {
  std::function<void()> up;        // ">"
  std::function<void()> down;      // "<"
  std::function<void()> pageUp;    // ">>"
  std::function<void()> pageDown;  // "<<"
};

class FieldStepKeys : public QObject {
 public:
  // Watches `field` (and is owned by it).
  FieldStepKeys(QObject* field, FieldSteps steps);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FieldSteps steps_;
  WheelNotches wheel_;  // each field keeps its own part of a notch
};

}  // namespace tk
