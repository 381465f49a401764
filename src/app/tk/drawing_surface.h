#pragma once
// The chart's drawing surface: the drawing calls are recorded in a display list, in millimetres,
// that is replayed on every paint, so the picture survives being covered and is sharp at any scale.
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <string_view>
#include <vector>

#include "app/tk/units.h"
#include "chart/canvas.h"

class QPainter;

namespace tk {

// One recorded drawing operation, in millimetres.
struct DrawOp {
  enum Kind { Line, Text } kind;
  float x1, y1, x2, y2;  // line end points; for text, (x1, y1) is the top-left corner
  Colour colour;
  int width;     // line width in logical pixels
  QString text;  // printed text
};

class DrawingSurface : public chart::Canvas {
 public:
  explicit DrawingSurface(QFont font = windowFont());

  void Cls();
  void Line(float x1, float y1, float x2, float y2) override;
  void Print(std::string_view text) override;
  float TextWidth(std::string_view text) const override;
  float TextHeight(std::string_view text) const override;

  const std::vector<DrawOp>& ops() const { return ops_; }
  const QFont& font() const { return font_; }
  // Replays the display list.
  void paint(QPainter& painter) const;
  // Paints the exposed part of the picture on `background`, the same pixels as a replay. From the
  // second paint after a change on, the picture is kept as an image at the painter's device-pixel
  // ratio, rendered afresh only after the display list changed or for another ratio; a repaint
  // that changes nothing of the chart (a moving selection rectangle, an uncovered window) copies
  // from it.
  void paintCached(QPainter& painter, const QRegion& exposed, const QColor& background);

 private:
  void invalidate() {
    cache_ = QImage();
    cacheWanted_ = false;
  }
  // What the display list covers, in logical pixels, with its corner on the device-pixel grid of
  // the ratio.
  QRect extent(qreal ratio) const;

  QFont font_;
  QFontMetricsF metrics_;  // measuring is the hot part of a redraw: keep one
  std::vector<DrawOp> ops_;
  QImage cache_;  // null while stale
  QRect cacheArea_;
  bool cacheWanted_ = false;  // a paint since the last change has replayed the list already
  QColor cacheBackground_;
};

}  // namespace tk
