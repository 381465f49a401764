#include "app/tk/button_filters.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tk {

bool EnterClicksButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (auto* button = qobject_cast<QAbstractButton*>(watched); button && button->isEnabled()) {
        if (!key->isAutoRepeat()) button->click();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

MouseHoldWatcher::MouseHoldWatcher(std::function<void()> pressed, std::function<void()> released,
                                   QObject* parent)
    : QObject(parent), pressed_(std::move(pressed)), released_(std::move(released)) {}

bool MouseHoldWatcher::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // the second press of a quick double press
      pressed_();
      break;
    case QEvent::MouseButtonRelease:
      released_();
      break;
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
