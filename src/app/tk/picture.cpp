#include "app/tk/picture.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>
#include <cmath>

#include "app/tk/drawing_surface.h"
#include "app/tk/mm_controls.h"
#include "app/tk/units.h"

namespace tk {

namespace {

// The generator's resolution: a pixel of the window is a pixel of the drawing's stated size.
constexpr int kDotsPerInch = 96;

// The same face at a size in millimetres: the generator writes a font's size in its user unit,
// its point size times its resolution over 72.
QFont fontInMm(QFont font) {
  const double sizeMm = pxToMm(QFontInfo(font).pixelSize());
  font.setPointSizeF(sizeMm * 72.0 / kDotsPerInch);
  return font;
}

QPen hairline(const QColor& colour, int widthPx, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour);
  pen.setWidthF(pxToMm(widthPx));
  pen.setStyle(style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

void drawChart(QPainter& painter, const DrawingSurface& chart) {
  const QFont font = fontInMm(chart.font());
  const double ascent = pxToMm(QFontMetricsF(chart.font()).ascent());
  painter.setFont(font);
  for (const DrawOp& op : chart.ops()) {
    if (op.kind == DrawOp::Line) {
      painter.setPen(hairline(toQColor(op.colour), op.width));
      painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
    } else {
      painter.setPen(toQColor(op.colour));
      painter.drawText(QPointF(op.x1, op.y1 + ascent), displayText(op.text));
    }
  }
}

void drawLabel(QPainter& painter, const MmLabel& label) {
  const QFontMetricsF metrics(label.font());
  const QRectF box(label.leftMm(), label.topMm(), pxToMm(metrics.horizontalAdvance(label.text())),
                   pxToMm(metrics.height()));
  painter.fillRect(box, toQColor(label.backColour()));
  painter.setFont(fontInMm(label.font()));
  painter.setPen(toQColor(label.foreColour()));
  painter.drawText(QPointF(box.left(), box.top() + pxToMm(metrics.ascent())), label.text());
}

}  // namespace

QImage windowImage(QWidget* window, double scale) {
  const double ratio = scale * window->devicePixelRatioF();
  QImage image(QSize(static_cast<int>(std::ceil(window->width() * ratio)),
                     static_cast<int>(std::ceil(window->height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  window->render(&image);
  return image;
}

bool writeSvg(QIODevice& device, const VectorScene& scene) {
  QSvgGenerator generator;
  generator.setOutputDevice(&device);
  generator.setResolution(kDotsPerInch);
  generator.setSize(QSize(static_cast<int>(std::lround(mmToPx(scene.sizeMm.width()))),
                          static_cast<int>(std::lround(mmToPx(scene.sizeMm.height())))));
  generator.setViewBox(QRectF(QPointF(0, 0), scene.sizeMm));
  generator.setTitle(QStringLiteral("ほしなみ。"));
  generator.setDescription(QStringLiteral("受渡金額と単価のグラフ"));

  const qint64 before = device.pos();
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  painter.fillRect(QRectF(QPointF(0, 0), scene.sizeMm), scene.background);
  if (scene.chart) drawChart(painter, *scene.chart);
  for (const LineControl* line : scene.lines) {
    if (line->isHidden()) continue;
    painter.setPen(hairline(toQColor(line->colour()), 1));
    painter.drawLine(QPointF(line->x1(), line->y1()), QPointF(line->x2(), line->y2()));
  }
  if (scene.selection && !scene.selection->isHidden()) {
    painter.setPen(hairline(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(scene.selection->leftMm(), scene.selection->topMm(),
                            scene.selection->widthMm(), scene.selection->heightMm()));
  }
  for (const MmLabel* label : scene.labels)
    if (!label->isHidden()) drawLabel(painter, *label);
  painter.end();
  return device.pos() > before;
}

}  // namespace tk
