#pragma once
// The chart's drawing surface: the drawing calls are recorded in a display list, in millimetres.
// The window is painted from one picture of it, made once per change; saved pictures replay the
// list, so they are sharp at any scale and stay vectors in SVG and PDF.
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QStaticText>
#include <QString>
#include <string_view>
#include <vector>

#include "app/tk/direct_pixels.h"
#include "app/tk/units.h"
#include "chart/canvas.h"

class QPainter;

namespace tk {

// One recorded drawing operation, in millimetres.
struct DrawOp {
  enum Kind { Line, Text } kind;
  float x1, y1, x2, y2;  // line end points; for text, (x1, y1) is the top-left corner
  core::Colour colour;
  int width;     // line width in logical pixels
  QString text;  // printed text
};

class DrawingSurface : public chart::Canvas {
 public:
  explicit DrawingSurface(QFont font = unshaped(windowFont()));

  void Cls();
  void Line(float x1, float y1, float x2, float y2) override;
  void Print(std::string_view text) override;
  float TextWidth(std::string_view text) const override;
  float TextHeight(std::string_view text) const override;

  const std::vector<DrawOp>& ops() const { return ops_; }
  // The width of the text of ops()[index], measured once per display list: what stands above
  // the chart is measured again on every price change, and its texts change only with a redraw.
  float PrintedWidth(std::size_t index) const;
  // What the last redraw changed on the window, in logical pixels: where the drawing before it
  // lay and where the new one lies. The rest of the window shows what it showed.
  QRegion changed() const { return QRegion(bounds_) + QRegion(previousBounds_); }
  const QFont& font() const { return font_; }
  // Replays the display list: the chart drawn afresh, sharp on any device.
  void paint(QPainter& painter) const;
  // Paints the part `exposed` of `area` (the window) on `background`, the same pixels as a replay.
  // The first paint after a change replays the list straight onto the device. A second paint at
  // the same device-pixel ratio makes the chart's picture (the whole area with the chart on it) and
  // every paint after it at that ratio copies from it, so a repaint that changes nothing of the
  // chart (a moving selection outline, an uncovered window) costs a copy of what it shows. A
  // vector device (SVG, PDF) always gets the replay.
  void paint(QPainter& painter, const QRect& area, const QRegion& exposed,
             const QColor& background);
  // The same as paint() where the picture is ready and `target` takes its rows as they are: the
  // part `exposed` of `area` copied row by row, with no painter. False (and nothing done) where
  // paint() must do it.
  bool copyTo(const DirectPixels& target, const QRect& area, const QRegion& exposed,
              const QColor& background) const;

 private:
  bool copyRows(const DirectPixels& target, const QRect& area, const QRegion& shown) const;
  // The one way to change the display list, and so the one place where the picture goes stale.
  std::vector<DrawOp>& edit() {
    picture_ = QImage();
    lastRatio_ = 0;
    printedWidths_.clear();
    return ops_;
  }

  QFont font_;
  QFontMetricsF metrics_;  // measuring is the hot part of a redraw: keep one
  // Each printed text laid out once: a redraw prints mostly the texts the last one printed (the
  // tick labels of an unchanged view, the titles), and laying them out is most of a replay.
  mutable QHash<QString, QStaticText> laidOut_;
  std::vector<DrawOp> ops_;
  mutable std::vector<float> printedWidths_;  // by op, negative until measured
  QRect bounds_, previousBounds_;  // around every operation since the last Cls, and before it
  QImage picture_;                 // null from the moment the display list changes
  QColor pictureBackground_;
  qreal lastRatio_ = 0;  // of the last paint of pixels since the change, 0 before it
};

}  // namespace tk
