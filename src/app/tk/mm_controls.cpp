#include "app/tk/mm_controls.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "app/tk/units.h"

namespace tk {

// ---- MmLabel ----

MmLabel::MmLabel(QWidget* parent) : QLabel(parent) {
  setContentsMargins(0, 0, 0, 0);
  setIndent(0);
  setMargin(0);
  setFont(windowFont());
}

void MmLabel::setCaption(const QString& caption) {
  caption_ = caption;
  const QString shown = displayText(caption);
  if (shown != text()) textWidth_ = -1;
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
  if (textWidth_ < 0) {
    const QFontMetricsF fm(font());
    textWidth_ = fm.horizontalAdvance(text());
    lineHeight_ = fm.height();
  }
  const double x = mmToPx(left_);
  const double y = mmToPx(top_);
  const double x0 = std::floor(x);
  const double y0 = std::floor(y);
  const double w = std::ceil(x - x0 + textWidth_);
  const double h = std::ceil(y - y0 + lineHeight_);
  setGeometry(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::max(1.0, w)),
              static_cast<int>(std::max(1.0, h)));
  update();
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
  if (event->type() == QEvent::FontChange) textWidth_ = -1;
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
  setGeometry(l, t, std::max(1, r - l + 1), std::max(1, b - t + 1));
  // Only the outline belongs to the control: a move repaints the chart under its old and new
  // outline, not under the whole rectangle.
  const QRect all = rect();
  setMask(QRegion(all).subtracted(QRegion(all.adjusted(1, 1, -1, -1))));
  update();
}

namespace {

// The dashes of a 1 px dashed pen: 4 pixels on, 2 off.
constexpr int kDashOn = 4, kDashPeriod = 6;

// A line of black dashes, `length` pixels plus a period, horizontal or vertical; pixel i is on
// where i % 6 < 4, or, `reversed`, where (-i) % 6 < 4 (the same dashes walked the other way).
const QImage& dashStrip(bool vertical, bool reversed, int length) {
  static QImage strips[2][2];
  QImage& strip = strips[vertical][reversed];
  const int needed = length + kDashPeriod;
  if (std::max(strip.width(), strip.height()) < needed) {
    strip =
        QImage(vertical ? 1 : needed, vertical ? needed : 1, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < needed; ++i) {
      const int phase = reversed ? (kDashPeriod - i % kDashPeriod) % kDashPeriod : i % kDashPeriod;
      strip.setPixel(vertical ? 0 : i, vertical ? i : 0, phase < kDashOn ? 0xff000000 : 0);
    }
  }
  return strip;
}

}  // namespace

void ShapeControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Dashed, so the rectangle stands out where it runs along a grid line.
  const int w = width(), h = height();
  // Saved pictures (another density, vectors) keep the pen's rectangle.
  const QTransform toDevice = painter.deviceTransform();
  const bool pixelForPixel = painter.paintEngine()->type() == QPaintEngine::Raster &&
                             toDevice.type() <= QTransform::TxTranslate &&
                             toDevice.dx() == std::round(toDevice.dx()) &&
                             toDevice.dy() == std::round(toDevice.dy());
  if (!pixelForPixel || w < 2 || h < 2) {
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    return;
  }
  // At one device pixel per pixel the same pixels as the pen's, copied from strips of dashes: the
  // pen walks the outline clockwise from the top-left corner, each side from the pixel after its
  // first corner to its second, and counts one dash pattern all the way round. Stroking each dash
  // through the outline's clip costs several times more than the copy of the chart under it.
  const auto side = [&](bool vertical, bool reversed, int x, int y, int length, int walked) {
    const int start =
        reversed ? (kDashPeriod - walked % kDashPeriod) % kDashPeriod : walked % kDashPeriod;
    const QRect source = vertical ? QRect(0, start, 1, length) : QRect(start, 0, length, 1);
    painter.drawImage(QPoint(x, y), dashStrip(vertical, reversed, length), source);
  };
  // Pixels walked before each side's first pixel; a reversed side is given by its last one.
  side(false, false, 1, 0, w - 1, 0);                               // top, left to right
  side(true, false, w - 1, 1, h - 1, w - 1);                        // right, downwards
  side(false, true, 0, h - 1, w - 1, (w - 1) + (h - 1) + (w - 2));  // bottom, leftwards
  side(true, true, 0, 0, h - 1, 2 * (w - 1) + (h - 1) + (h - 2));   // left, upwards
}

}  // namespace tk
