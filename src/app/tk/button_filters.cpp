#include "app/tk/button_filters.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QWidget>

namespace tk {

namespace {

bool clicksFocusedButton(const QKeyEvent* key) {
  const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  return plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                   key->key() == Qt::Key_Space);
}

}  // namespace

void KeyClicks::watchAll(QWidget* window) {
  window->installEventFilter(this);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool KeyClicks::repeats(const QKeyEvent* key) const {
  return key->isAutoRepeat() ||
         (key->timestamp() != 0 && key->timestamp() == releaseTime_ && key->key() == releasedKey_);
}

bool KeyClicks::eventFilter(QObject* watched, QEvent* event) {
  auto* button = qobject_cast<QAbstractButton*>(watched);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Sent to the focused widget just before an access key's Shortcut event.
      accessKeyRepeats_ = repeats(static_cast<QKeyEvent*>(event));
      return false;
    case QEvent::Shortcut:
      // The button's own handling would click it only some 100 ms later, after an animation.
      if (!button || static_cast<QShortcutEvent*>(event)->isAmbiguous()) return false;
      if (button->isEnabled() && !accessKeyRepeats_) button->click();
      return true;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (!button || !button->isEnabled() || !clicksFocusedButton(key)) return false;
      if (!repeats(key)) button->click();
      return true;
    }
    case QEvent::FocusOut:
      // A button losing the focus because it was just disabled (Qt hands the focus on before it
      // announces the change).
      disabledWithFocus_ = button && !button->isEnabled() ? button : nullptr;
      return false;
    case QEvent::EnabledChange:
      if (button && watched == disabledWithFocus_ && !button->isEnabled())
        button->window()->setFocus(Qt::OtherFocusReason);
      disabledWithFocus_ = nullptr;
      return false;
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      releasedKey_ = key->key();
      releaseTime_ = key->timestamp();
      // The press has clicked already; the release must not click again.
      return button && clicksFocusedButton(key);
    }
    default:
      return false;
  }
}

MouseHoldWatcher::MouseHoldWatcher(std::function<void()> pressed, std::function<void()> released,
                                   QObject* parent)
    : QObject(parent), pressed_(std::move(pressed)), released_(std::move(released)) {}

void MouseHoldWatcher::letGo() {
  if (!held_) return;
  held_ = false;
  released_();
}

bool MouseHoldWatcher::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // the second press of a quick double press
      held_ = true;
      pressed_();
      break;
    case QEvent::MouseButtonRelease:
      held_ = true;  // a release always ends the hold, as it always has
      letGo();
      break;
    case QEvent::WindowDeactivate:
    case QEvent::UngrabMouse:
    case QEvent::Hide:
      letGo();
      return false;
    case QEvent::EnabledChange:
      if (auto* widget = qobject_cast<QWidget*>(watched); widget && !widget->isEnabled()) letGo();
      return false;
    case QEvent::FocusOut: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) letGo();
      return false;
    }
    default:
      return false;
  }
  // The button turns a primary press and release over it into a click, so it gets those. It
  // ignores the other mouse buttons; they end here, never reaching the frame or the chart.
  if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) return false;
  event->accept();
  return true;
}

}  // namespace tk
