#include "app/tk/window_size.h"

#include <QWidget>
#include <algorithm>

#include "app/tk/units.h"

namespace tk {

namespace {
bool sizeLocked(const QWidget* w) {
  return w->isMinimized() || w->isMaximized() || w->isFullScreen();
}
}  // namespace

int outerWidthTwips(const QWidget* window) { return pxToTwips(window->frameGeometry().width()); }
int outerHeightTwips(const QWidget* window) { return pxToTwips(window->frameGeometry().height()); }

bool setOuterWidthTwips(QWidget* window, int twips) {
  if (sizeLocked(window)) return false;
  const int frame = window->frameGeometry().width() - window->width();
  window->resize(std::max(1, twipsToPx(twips) - frame), window->height());
  return true;
}

bool setOuterHeightTwips(QWidget* window, int twips) {
  if (sizeLocked(window)) return false;
  const int frame = window->frameGeometry().height() - window->height();
  window->resize(window->width(), std::max(1, twipsToPx(twips) - frame));
  return true;
}

void setMinimumOuterSizeTwips(QWidget* window, int widthTwips, int heightTwips) {
  const QSize frame = window->frameGeometry().size() - window->size();
  const QSize minimum(std::max(1, twipsToPx(widthTwips) - frame.width()),
                      std::max(1, twipsToPx(heightTwips) - frame.height()));
  if (window->minimumSize() != minimum) window->setMinimumSize(minimum);
}

}  // namespace tk
