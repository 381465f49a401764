#include "app/tk/drawing_surface.h"

#include <QPainter>
#include <cmath>

namespace tk {

DrawingSurface::DrawingSurface(QFont font) : font_(std::move(font)), metrics_(font_) {}

void DrawingSurface::Cls() {
  ops_.clear();
  CurrentX = 0;
  CurrentY = 0;
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2) {
  // A point that is not a number or infinite is never put on the screen.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  ops_.push_back(DrawOp{DrawOp::Line, x1, y1, x2, y2, ForeColor, DrawWidth, {}});
}

void DrawingSurface::Print(std::string_view text) {
  QString q = qs(text);
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

}  // namespace tk
