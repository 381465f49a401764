#include "app/tk/frame_style.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace tk {

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameGroupBox) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // The frame's top edge runs through the middle of its caption's line, as the style places it.
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const bool captioned = !box || box->isCheckable() || !box->title().isEmpty();
  constexpr int kCaptionGap = 4;
  const int top = captioned ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                       option->fontMetrics.height()) +
                                  kCaptionGap
                            : kCaptionGap;
  const QRect frame = option->rect.adjusted(0, top, -1, -1);
  const QColor grey = option->palette.color(QPalette::Window);
  painter->save();
  painter->setPen(grey.darker(150));
  painter->drawRect(frame.adjusted(0, 0, -1, -1));
  painter->setPen(grey.lighter(150));
  painter->drawRect(frame.adjusted(1, 1, 0, 0));
  painter->restore();
}

}  // namespace tk
