#include "app/tk/drawing_surface.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace tk {

DrawingSurface::DrawingSurface(QFont font) : font_(std::move(font)), metrics_(font_) {}

void DrawingSurface::Cls() {
  invalidate();
  ops_.clear();
  CurrentX = 0;
  CurrentY = 0;
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2) {
  // A point that is not a number or infinite is never put on the screen.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  invalidate();
  ops_.push_back(DrawOp{DrawOp::Line, x1, y1, x2, y2, ForeColor, DrawWidth, {}});
}

void DrawingSurface::Print(std::string_view text) {
  QString q = qs(text);
  invalidate();
  ops_.push_back(DrawOp{DrawOp::Text, CurrentX, CurrentY, 0, 0, ForeColor, DrawWidth, q});
  CurrentY += TextHeight("M");
}

float DrawingSurface::TextWidth(std::string_view text) const {
  return static_cast<float>(pxToMm(metrics_.horizontalAdvance(displayText(qs(text)))));
}

float DrawingSurface::TextHeight(std::string_view) const {
  return static_cast<float>(pxToMm(metrics_.height()));
}

void DrawingSurface::paint(QPainter& painter) const {
  painter.save();
  painter.setFont(font_);
  const double ascent = metrics_.ascent();
  for (const DrawOp& op : ops_) {
    if (op.kind == DrawOp::Line) {
      // Axis-parallel lines (grid, axes) stay crisp; slanted amount lines are smoothed.
      const bool slanted = op.x1 != op.x2 && op.y1 != op.y2;
      painter.setRenderHint(QPainter::Antialiasing, slanted);
      QPen pen(toQColor(op.colour));
      pen.setWidthF(op.width);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(QPointF(mmToPx(op.x1), mmToPx(op.y1)),
                       QPointF(mmToPx(op.x2), mmToPx(op.y2)));
    } else {
      painter.setPen(toQColor(op.colour));
      painter.drawText(QPointF(mmToPx(op.x1), mmToPx(op.y1) + ascent), displayText(op.text));
    }
  }
  painter.restore();
}

QRect DrawingSurface::extent() const {
  double right = 0, bottom = 0;
  for (const DrawOp& op : ops_) {
    if (op.kind == DrawOp::Line) {
      // Half the width either side, and a pixel for the smoothing of slanted lines.
      const double spill = op.width / 2.0 + 1;
      right = std::max(right, mmToPx(std::max(op.x1, op.x2)) + spill);
      bottom = std::max(bottom, mmToPx(std::max(op.y1, op.y2)) + spill);
    } else {
      right = std::max(right, mmToPx(op.x1) + metrics_.horizontalAdvance(displayText(op.text)) + 2);
      bottom = std::max(bottom, mmToPx(op.y1) + metrics_.height() + 2);
    }
  }
  return QRect(0, 0, static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom)));
}

void DrawingSurface::paintCached(QPainter& painter, const QRect& exposed,
                                 const QColor& background) {
  // The device actually painted on: the window's backing store, or an image it is rendered into.
  const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
  if (cache_.isNull() || cache_.devicePixelRatio() != ratio || cacheBackground_ != background) {
    const QRect area = extent();
    cache_ = QImage(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(background);
    cacheBackground_ = background;
    QPainter picture(&cache_);
    paint(picture);
  }
  const QRect cached = QRect(QPoint(0, 0), cache_.deviceIndependentSize().toSize()) & exposed;
  for (const QRect& rest : QRegion(exposed).subtracted(cached)) painter.fillRect(rest, background);
  if (cached.isEmpty()) return;
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(cached, cache_,
                    QRectF(QPointF(cached.topLeft()) * ratio, QSizeF(cached.size()) * ratio));
  painter.restore();
}

}  // namespace tk
