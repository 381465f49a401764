#include "app/tk/field_keys.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace tk {

namespace {
constexpr int kNotch = 120;

// The keys are taken bare only (the keypad's arrows count as bare): with Shift, Ctrl or Alt they
// stay the field's own.
bool bare(const QKeyEvent* key) {
  return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
}  // namespace

FieldStepKeys::FieldStepKeys(QObject* field, FieldSteps steps)
    : QObject(field), steps_(std::move(steps)) {
  field->installEventFilter(this);
}

int WheelNotches::take(int delta) {
  // Added in 64 bits: no turn, however large, overflows.
  const long long total = static_cast<long long>(remainder_) + delta;
  const long long notches = total / kNotch;
  remainder_ = static_cast<int>(total - notches * kNotch);
  return static_cast<int>(notches);
}

bool FieldStepKeys::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!bare(key)) return false;
    const std::function<void()>* step = nullptr;
    switch (key->key()) {
      case Qt::Key_Up:
        step = &steps_.up;
        break;
      case Qt::Key_Down:
        step = &steps_.down;
        break;
      case Qt::Key_PageUp:
        step = &steps_.pageUp;
        break;
      case Qt::Key_PageDown:
        step = &steps_.pageDown;
        break;
      default:
        return false;
    }
    (*step)();
    return true;
  }
  if (event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;  // a sideways turn is no step
    const bool large = wheel->modifiers() & Qt::ControlModifier;
    const auto& up = large ? steps_.pageUp : steps_.up;
    const auto& down = large ? steps_.pageDown : steps_.down;
    for (int n = wheel_.take(delta); n != 0; n += n > 0 ? -1 : 1) (n > 0 ? up : down)();
    return true;
  }
  return false;
}

}  // namespace tk
