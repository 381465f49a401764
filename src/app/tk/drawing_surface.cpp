#include "app/tk/drawing_surface.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/single.h"

namespace tk {

DrawingSurface::DrawingSurface(QFont font) : font_(std::move(font)), metrics_(font_) {}

void DrawingSurface::Cls() {
  edit().clear();
  previousBounds_ = bounds_;
  bounds_ = QRect();
  CurrentX = 0;
  CurrentY = 0;
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2) {
  // A point that is not a number or infinite is never put on the screen.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  edit().push_back(DrawOp{DrawOp::Line, x1, y1, x2, y2, ForeColor, DrawWidth, {}});
  const double reach = DrawWidth / 2.0 + 1;  // the line's width and its smoothed edge
  bounds_ |= QRectF(QPointF(mmToPx(x1), mmToPx(y1)), QPointF(mmToPx(x2), mmToPx(y2)))
                 .normalized()
                 .adjusted(-reach, -reach, reach, reach)
                 .toAlignedRect();
}

void DrawingSurface::Print(std::string_view text) {
  QString q = qs(text);
  // No wider than its characters at the font's widest, and no measuring on the way.
  bounds_ |= QRectF(mmToPx(CurrentX), mmToPx(CurrentY), metrics_.maxWidth() * q.size() + 1,
                    metrics_.height() + 1)
                 .toAlignedRect();
  edit().push_back(DrawOp{DrawOp::Text, CurrentX, CurrentY, 0, 0, ForeColor, DrawWidth, q});
  CurrentY += TextHeight("M");
}

float DrawingSurface::TextWidth(std::string_view text) const {
  return textWidthMm(metrics_, qs(text));
}

float DrawingSurface::PrintedWidth(std::size_t index) const {
  if (printedWidths_.size() != ops_.size()) printedWidths_.assign(ops_.size(), -1);
  float& width = printedWidths_[index];
  if (width < 0) width = textWidthMm(metrics_, ops_[index].text);
  return width;
}

float DrawingSurface::TextHeight(std::string_view) const {
  return core::toSingle(pxToMm(metrics_.height()));
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
      const QString text = displayText(op.text);
      if (painter.paintEngine()->type() != QPaintEngine::Raster) {
        // A vector picture keeps its texts as texts.
        painter.drawText(QPointF(mmToPx(op.x1), mmToPx(op.y1) + ascent), text);
        continue;
      }
      constexpr qsizetype kMostTexts = 1000;  // far more than one chart prints
      if (laidOut_.size() > kMostTexts) laidOut_.clear();
      auto found = laidOut_.find(text);
      if (found == laidOut_.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font_);
        found = laidOut_.insert(text, laid);
      }
      // A laid-out text stands on its top-left corner, where the printed one has its top.
      painter.drawStaticText(QPointF(mmToPx(op.x1), mmToPx(op.y1)), *found);
    }
  }
  painter.restore();
}

void DrawingSurface::paint(QPainter& painter, const QRect& area, const QRegion& exposed,
                           const QColor& background) {
  const auto replay = [&] {
    for (const QRect& part : exposed) painter.fillRect(part, background);
    paint(painter);
  };
  QPaintEngine* engine = painter.paintEngine();
  if (engine->type() != QPaintEngine::Raster) return replay();  // SVG, PDF: vectors
  // The device actually painted on: the window's backing store, or an image the window is
  // rendered into.
  const QPaintDevice* device = engine->paintDevice();
  const qreal ratio = device->devicePixelRatioF();
  const QSize pixels(static_cast<int>(std::ceil(area.width() * ratio)),
                     static_cast<int>(std::ceil(area.height() * ratio)));
  if (picture_.isNull() || picture_.devicePixelRatio() != ratio || picture_.size() != pixels ||
      pictureBackground_ != background) {
    if (lastRatio_ != ratio) {
      // The first paint after a change: a picture made now would be copied only once more, and a
      // held step button redraws before every paint. A picture saved at another density does
      // not replace the window's either.
      lastRatio_ = ratio;
      return replay();
    }
    // In the format of the device painted on, so that copying from it is a plain copy.
    const auto* target = dynamic_cast<const QImage*>(device);
    const QImage::Format format = target && !target->hasAlphaChannel()
                                      ? target->format()
                                      : QImage::Format_ARGB32_Premultiplied;
    picture_ = QImage(pixels, format);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(background);
    pictureBackground_ = background;
    QPainter onPicture(&picture_);
    onPicture.translate(-area.topLeft());
    paint(onPicture);
  }
  // (A repaint within the window, the usual one, needs no region arithmetic.)
  const bool within = area.contains(exposed.boundingRect());
  const QRegion shown = within ? exposed : exposed & area;
  if (!within)
    for (const QRect& rest : exposed.subtracted(shown)) painter.fillRect(rest, background);
  if (copyRows(directPixels(painter), area, shown)) return;
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  // Copied rectangle by rectangle (a moving outline exposes thin strips, not the whole window),
  // and in bands of a few rows: a copy of many rows at once is handed to helper threads, and for
  // the strips a repaint usually needs, waking them costs more than the copy.
  constexpr int kBandRows = 32;
  for (const QRect& part : shown) {
    for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
      const QRect band(part.left(), top, part.width(),
                       std::min(kBandRows, part.bottom() + 1 - top));
      const QPointF source = QPointF(band.topLeft() - area.topLeft()) * ratio;
      painter.drawImage(band, picture_, QRectF(source, QSizeF(band.size()) * ratio));
    }
  }
  painter.restore();
}

// A repaint at one device pixel per pixel onto an image of the picture's format (the window's
// backing store) copies the picture's rows straight into the image: the plain copy of the pixels
// shown, where the painter would cost some microseconds per strip of a moving outline.
bool DrawingSurface::copyTo(const DirectPixels& target, const QRect& area, const QRegion& exposed,
                            const QColor& background) const {
  return !picture_.isNull() && picture_.size() == area.size() && pictureBackground_ == background &&
         area.contains(exposed.boundingRect()) && copyRows(target, area, exposed);
}

bool DrawingSurface::copyRows(const DirectPixels& target, const QRect& area,
                              const QRegion& shown) const {
  if (!target.image || target.image->format() != picture_.format() ||
      picture_.devicePixelRatio() != 1)
    return false;
  const QImage& image = *target.image;
  const qsizetype pixelBytes = image.depth() / 8;
  const qsizetype toLine = image.bytesPerLine(), fromLine = picture_.bytesPerLine();
  const QRect imageRect = image.rect();
  uchar* const to = target.bits();
  const uchar* const from = picture_.constBits();
  for (const QRect& part : shown) {
    const QRect onImage = part.translated(target.origin) & imageRect;
    const QPoint inPicture = onImage.topLeft() - target.origin - area.topLeft();
    const auto rowBytes = static_cast<std::size_t>(onImage.width() * pixelBytes);
    uchar* toRow = to + onImage.top() * toLine + onImage.left() * pixelBytes;
    const uchar* fromRow = from + inPicture.y() * fromLine + inPicture.x() * pixelBytes;
    for (int row = 0; row < onImage.height(); ++row, toRow += toLine, fromRow += fromLine)
      std::memcpy(toRow, fromRow, rowBytes);
  }
  return true;
}

}  // namespace tk
