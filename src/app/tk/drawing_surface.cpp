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
      const QPointF from(mmToPx(op.x1), mmToPx(op.y1)), to(mmToPx(op.x2), mmToPx(op.y2));
      if (op.x1 == op.x2 || op.y1 == op.y2) {
        // Axis-parallel lines (grid, axes) stay crisp. A flat-capped line of width w covers the
        // rectangle w wide around it: filling that rectangle sets the same pixels, several times
        // faster than stroking the line.
        const double half = op.width / 2.0;
        const QRectF covered =
            op.x1 == op.x2
                ? QRectF(QPointF(from.x() - half, from.y()), QPointF(to.x() + half, to.y()))
                : QRectF(QPointF(from.x(), from.y() - half), QPointF(to.x(), to.y() + half));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(covered.normalized(), toQColor(op.colour));
        continue;
      }
      // Slanted amount lines are smoothed.
      painter.setRenderHint(QPainter::Antialiasing, true);
      QPen pen(toQColor(op.colour));
      pen.setWidthF(op.width);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(from, to);
    } else {
      painter.setPen(toQColor(op.colour));
      painter.drawText(QPointF(mmToPx(op.x1), mmToPx(op.y1) + ascent), displayText(op.text));
    }
  }
  painter.restore();
}

QRect DrawingSurface::extent(qreal ratio) const {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool first = true;
  const auto take = [&](double l, double t, double r, double b) {
    left = first ? l : std::min(left, l);
    top = first ? t : std::min(top, t);
    right = first ? r : std::max(right, r);
    bottom = first ? b : std::max(bottom, b);
    first = false;
  };
  for (const DrawOp& op : ops_) {
    if (op.kind == DrawOp::Line) {
      // Half the width either side, and a pixel for the smoothing of slanted lines.
      const double spill = op.width / 2.0 + 1;
      take(mmToPx(std::min(op.x1, op.x2)) - spill, mmToPx(std::min(op.y1, op.y2)) - spill,
           mmToPx(std::max(op.x1, op.x2)) + spill, mmToPx(std::max(op.y1, op.y2)) + spill);
    } else {
      const double x = mmToPx(op.x1), y = mmToPx(op.y1);
      take(x - 2, y - 2, x + metrics_.horizontalAdvance(displayText(op.text)) + 2,
           y + metrics_.height() + 2);
    }
  }
  // The corner lies on the device-pixel grid, so the picture's pixels are the window's pixels.
  // A ratio with no small whole multiple (none within 64 pixels) starts at the window's origin,
  // which is always on the grid.
  const auto onGrid = [ratio](double v) {
    const int start = static_cast<int>(std::floor(std::max(0.0, v)));
    for (int whole = start; whole > start - 64 && whole > 0; --whole)
      if (std::abs(whole * ratio - std::round(whole * ratio)) < 1e-9) return whole;
    return 0;
  };
  const QPoint corner(onGrid(left), onGrid(top));
  return QRect(corner,
               QPoint(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
}

void DrawingSurface::paintCached(QPainter& painter, const QRegion& exposed,
                                 const QColor& background) {
  // The device actually painted on: the window's backing store, or an image it is rendered into.
  const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
  if (cache_.isNull() || cache_.devicePixelRatio() != ratio || cacheBackground_ != background) {
    if (!cacheWanted_) {
      // The first paint after a change replays the list straight onto the window: a picture
      // made now would only be copied once more. The next paint keeps one.
      cacheWanted_ = true;
      for (const QRect& part : exposed) painter.fillRect(part, background);
      paint(painter);
      return;
    }
    cacheArea_ = extent(ratio);
    // In the format of the device painted on, so that copying from it is a plain copy.
    const auto* target = dynamic_cast<const QImage*>(painter.paintEngine()->paintDevice());
    const QImage::Format format = target && !target->hasAlphaChannel()
                                      ? target->format()
                                      : QImage::Format_ARGB32_Premultiplied;
    cache_ = QImage(cacheArea_.size() * ratio, format);
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(background);
    cacheBackground_ = background;
    QPainter picture(&cache_);
    picture.translate(-cacheArea_.topLeft());
    paint(picture);
  }
  const QRegion cached = exposed & cacheArea_;
  for (const QRect& rest : exposed.subtracted(cached)) painter.fillRect(rest, background);
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  // Copied rectangle by rectangle (a moving outline exposes thin strips, not its whole extent),
  // and in bands of a few rows: a copy of many rows at once is handed to helper threads, and for
  // the strips a repaint usually needs, waking them costs more than the copy.
  constexpr int kBandRows = 32;
  for (const QRect& part : cached) {
    for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
      const QRect band(part.left(), top, part.width(),
                       std::min(kBandRows, part.bottom() + 1 - top));
      const QPointF source = QPointF(band.topLeft() - cacheArea_.topLeft()) * ratio;
      painter.drawImage(band, cache_, QRectF(source, QSizeF(band.size()) * ratio));
    }
  }
  painter.restore();
}

}  // namespace tk
