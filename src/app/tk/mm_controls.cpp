#include "app/tk/mm_controls.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "app/tk/direct_pixels.h"
#include "app/tk/units.h"
#include "core/single.h"

namespace tk {

// ---- MmLabel ----

MmLabel::MmLabel(QWidget* parent) : QLabel(parent) {
  setContentsMargins(0, 0, 0, 0);
  setIndent(0);
  setMargin(0);
  setFont(unshaped(windowFont()));
}

void MmLabel::setCaption(const QString& caption) {
  caption_ = caption;
  const QString shown = displayText(caption);
  setText(shown);
  setAccessibleName(shown);
  relayout();
}

void MmLabel::setLeftMm(float left) {
  left_ = left;
  relayout();
}

void MmLabel::setTopMm(float top) {
  top_ = top;
  relayout();
}

void MmLabel::setColours(core::Colour back, core::Colour fore) {
  back_ = back;
  fore_ = fore;
  update();
}

void MmLabel::relayout() {
  // The widget starts at the whole pixel left of the exact position; the text is painted at the
  // exact fraction, so a right-aligned caption ends exactly where the program put its end.
  const double textWidth = shownWidthPx(text());
  if (lineHeight_ < 0) lineHeight_ = QFontMetricsF(font()).height();
  const double x = mmToPx(left_);
  const double y = mmToPx(top_);
  const double x0 = std::floor(x);
  const double y0 = std::floor(y);
  const double w = std::ceil(x - x0 + textWidth);
  const double h = std::ceil(y - y0 + lineHeight_);
  setGeometry(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::max(1.0, w)),
              static_cast<int>(std::max(1.0, h)));
  update();
}

double MmLabel::shownWidthPx(const QString& shown) const {
  if (measuredWidth_ < 0 || shown != measured_) {
    measuredWidth_ = QFontMetricsF(font()).horizontalAdvance(shown);
    measured_ = shown;
  }
  return measuredWidth_;
}

float MmLabel::captionWidthMm(const QString& caption) const {
  return core::toSingle(pxToMm(shownWidthPx(displayText(caption))));
}

void MmLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), toQColor(back_));
  painter.setPen(toQColor(fore_));
  painter.setFont(font());
  const QFontMetricsF fm(font());
  const double dx = mmToPx(left_) - x();
  const double dy = mmToPx(top_) - y();
  painter.drawText(QPointF(dx, dy + fm.ascent()), text());
}

void MmLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) measuredWidth_ = lineHeight_ = -1;
  QLabel::changeEvent(event);
}

void MmLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }
void MmLabel::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

// ---- LineControl ----

LineControl::LineControl(QWidget* parent, core::Colour colour) : QWidget(parent), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
}

void LineControl::setPoints(float x1, float y1, float x2, float y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  const double left = std::floor(mmToPx(std::min(x1, x2)));
  const double top = std::floor(mmToPx(std::min(y1, y2)));
  const double right = std::ceil(mmToPx(std::max(x1, x2))) + 1;
  const double bottom = std::ceil(mmToPx(std::max(y1, y2))) + 1;
  setGeometry(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top));
  update();
}

void LineControl::setDashed(bool dashed) {
  dashed_ = dashed;
  update();
}

void LineControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(toQColor(colour_), 1, dashed_ ? Qt::DashLine : Qt::SolidLine));
  const QPointF origin(x(), y());
  painter.drawLine(QPointF(mmToPx(x1_), mmToPx(y1_)) - origin,
                   QPointF(mmToPx(x2_), mmToPx(y2_)) - origin);
}

// ---- ShapeControl ----

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeControl::setRectMm(float left, float top, float width, float height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  const int l = static_cast<int>(std::floor(mmToPx(left)));
  const int t = static_cast<int>(std::floor(mmToPx(top)));
  const int r = static_cast<int>(std::ceil(mmToPx(static_cast<double>(left) + width)));
  const int b = static_cast<int>(std::ceil(mmToPx(static_cast<double>(top) + height)));
  const int w = std::max(1, r - l + 1), h = std::max(1, b - t + 1);
  setGeometry(l, t, w, h);
  // Only the outline belongs to the control (its four sides, in rows as a region holds them; a
  // rectangle two pixels wide or high is all outline), so repaints of the control are repaints of
  // the outline.
  QRegion outline(0, 0, w, h);
  if (w > 2 && h > 2) {
    const QRect sides[] = {{0, 0, w, 1}, {0, 1, 1, h - 2}, {w - 1, 1, 1, h - 2}, {0, h - 1, w, 1}};
    outline.setRects(sides, 4);
  }
  setMask(outline);
  update();
}

void ShapeControl::paintEvent(QPaintEvent* event) {
  // Dashed, so the rectangle stands out where it runs along a grid line.
  const int w = width(), h = height();
  QPoint unused;
  const DirectPixels target =
      sharedPainter() ? DirectPixels() : directPixelsOnBackingStore(this, redirected(&unused));
  if (!target.image || target.image->depth() != 32 || w < 2 || h < 2) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    return;
  }
  // Where a pixel is a pixel, the pen's own pixels written directly: the pen walks the outline
  // clockwise from the top-left corner, each side from the pixel after its first corner to its
  // second, and counts one pattern of 4 pixels on, 2 off all the way round. Stroked through the
  // outline's clip, the dashes cost several times the copy of the chart under them.
  constexpr int kOn = 4, kPeriod = 6;
  const int perimeter = 2 * (w - 1) + 2 * (h - 1);
  // The sides as runs of pixels: the first pixel, the step, how many, and how many pixels the pen
  // walked before the first.
  struct Side {
    QPoint first, step;
    int count, walked;
  };
  const Side sides[] = {
      {{1, 0}, {1, 0}, w - 1, 0},
      {{w - 1, 1}, {0, 1}, h - 1, w - 1},
      {{w - 2, h - 1}, {-1, 0}, w - 1, (w - 1) + (h - 1)},
      {{0, h - 2}, {0, -1}, h - 1, perimeter - (h - 1)},
  };
  uchar* const bits = target.bits();
  const qsizetype line = target.image->bytesPerLine();
  const QRect onImage =
      target.image->rect().translated(-target.origin);  // in this control's pixels
  for (const QRect& part : event->region()) {
    const QRect allowed = part & onImage;
    if (allowed.isEmpty()) continue;
    for (const Side& side : sides) {
      // The side's pixels within the part: its one row (or column) must cross it, and then the
      // part's columns (or rows) bound the steps.
      const bool across = side.step.y() == 0;
      const int fixed = across ? side.first.y() : side.first.x();
      if (fixed < (across ? allowed.top() : allowed.left()) ||
          fixed > (across ? allowed.bottom() : allowed.right()))
        continue;
      const int from = across ? side.first.x() : side.first.y();
      const int sign = across ? side.step.x() : side.step.y();
      const int low = across ? allowed.left() : allowed.top();
      const int high = across ? allowed.right() : allowed.bottom();
      const int a = (low - from) * sign, b = (high - from) * sign;
      const int first = std::max(0, std::min(a, b)),
                last = std::min(side.count - 1, std::max(a, b));
      if (first > last) continue;
      const QPoint start = side.first + side.step * first + target.origin;
      auto* pixel = reinterpret_cast<QRgb*>(bits + start.y() * line) + start.x();
      const qsizetype stride = across ? sign : sign * (line / 4);
      for (int i = first, phase = (side.walked + first) % kPeriod; i <= last;
           ++i, pixel += stride) {
        if (phase < kOn) *pixel = 0xff000000;
        if (++phase == kPeriod) phase = 0;
      }
    }
  }
}

}  // namespace tk
