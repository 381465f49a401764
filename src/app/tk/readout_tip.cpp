#include "app/tk/readout_tip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

namespace tk {

namespace {
// Where Qt's own tool tips stand from the pointer: below and just to the right of it.
constexpr QPoint kOffset(2, 16);
}  // namespace

ReadoutTip::ReadoutTip(QWidget* owner, std::function<void(QPoint)> moved)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                        Qt::WindowDoesNotAcceptFocus),
      moved_(std::move(moved)) {
  setObjectName(QStringLiteral("readoutTip"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setPalette(QToolTip::palette());
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
  setTextFormat(Qt::PlainText);
}

ReadoutTip::~ReadoutTip() {
  if (watching_) qApp->removeEventFilter(this);
}

void ReadoutTip::showAt(QPoint globalPos, const QString& text) {
  if (this->text() != text) {
    setText(text);
    adjustSize();
  }
  // Kept on the pointer's screen: past its right or bottom edge the tip moves to the other side.
  QPoint at = globalPos + kOffset;
  if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    if (at.x() + width() > area.right()) at.setX(globalPos.x() - kOffset.x() - width());
    if (at.y() + height() > area.bottom()) at.setY(globalPos.y() - height() - 2);
    at.setX(std::max(at.x(), area.left()));
    at.setY(std::max(at.y(), area.top()));
  }
  if (pos() != at) move(at);
  if (!watching_) {
    qApp->installEventFilter(this);
    watching_ = true;
  }
  if (!isVisible()) show();
}

void ReadoutTip::hideTip() {
  if (watching_) {
    qApp->removeEventFilter(this);
    watching_ = false;
  }
  if (isVisible()) hide();
}

bool ReadoutTip::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      hideTip();
      break;
    case QEvent::MouseMove:
      // Each move reaches the window and then its widget; the widget's delivery is enough. Over
      // another window (a dialog above the chart, say) the readout has nothing to say.
      if (!watched->isWidgetType()) break;
      if (static_cast<QWidget*>(watched)->window() != parentWidget()->window())
        hideTip();
      else
        moved_(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      break;
    default:
      break;
  }
  return false;
}

}  // namespace tk
