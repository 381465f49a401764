#include "app/tk/picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "app/tk/page_output.h"
#include "app/tk/units.h"

namespace tk {

namespace {

// The vector formats' resolution: a logical pixel of the window is a pixel of the page, so a
// millimetre of the window's drawing scale is a millimetre on paper.
constexpr int kDotsPerInch = 96;

const QString kTitle = QStringLiteral("ほしなみ。");
const QString kDescription = QStringLiteral("受渡金額と単価のグラフ");

QByteArray encodePng(QWidget* window) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "png").write(windowBitmap(window));
  return bytes;
}

QString cssFamily(const QString& family) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z][A-Za-z0-9-]*$"));
  return plain.match(family).hasMatch() ? family : QLatin1Char('\'') + family + QLatin1Char('\'');
}

// The generator names only the face it drew with. Another renderer without that face would take
// its own default, often wider than the Gothic faces the labels were measured in, and the labels
// would overflow their boxes: every text names the Gothic faces in order, then any sans-serif.
QByteArray withFallbackFamilies(QByteArray svg) {
  static const QRegularExpression attribute(QStringLiteral("font-family=\"([^\"]*)\""));
  QString text = QString::fromUtf8(svg);
  QString result;
  qsizetype done = 0;
  for (auto it = attribute.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    const QString drawn = match.captured(1).remove(QLatin1Char('\'')).trimmed();
    QStringList families{cssFamily(drawn)};
    for (const QString& family : gothicFamilyPreference())
      if (family.compare(drawn, Qt::CaseInsensitive) != 0) families << cssFamily(family);
    families << QStringLiteral("sans-serif");
    result += QStringView(text).mid(done, match.capturedStart() - done);
    result += QStringLiteral("font-family=\"%1\"").arg(families.join(QStringLiteral(", ")));
    done = match.capturedEnd();
  }
  result += QStringView(text).mid(done);
  return result.toUtf8();
}

QByteArray encodeSvg(QWidget* window) {
  const QByteArray svg = windowSvg(window, kDotsPerInch, kTitle, kDescription);
  return svg.isEmpty() ? svg : withFallbackFamilies(svg);
}

// One page exactly the window's size, without margins.
QByteArray encodePdf(QWidget* window) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(kDotsPerInch);
  pdf.setTitle(kTitle);
  pdf.setCreator(kTitle);
  // A page size is stated upright; the orientation turns it to the window's shape.
  const double wide = pxToMm(window->width()), high = pxToMm(window->height());
  const QPageSize upright(QSizeF(std::min(wide, high), std::max(wide, high)), QPageSize::Millimeter,
                          QString(), QPageSize::ExactMatch);
  pdf.setPageLayout(QPageLayout(
      upright, wide > high ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
  paintOnPage(window, &pdf);
  return bytes;
}

}  // namespace

QImage windowBitmap(QWidget* window) {
  const double ratio = 2 * window->devicePixelRatioF();
  QImage image(QSize(static_cast<int>(std::ceil(window->width() * ratio)),
                     static_cast<int>(std::ceil(window->height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  window->render(&image);
  return image;
}

void paintOnPage(QWidget* window, QPagedPaintDevice* device) {
  QPainter painter(device);
  const QRect page = painter.viewport();  // the printable area, in device pixels
  const double perPixel = device->logicalDpiX() / static_cast<double>(kDotsPerInch);
  const double fit = std::min(page.width() / (window->width() * perPixel),
                              page.height() / (window->height() * perPixel));
  const double scale = perPixel * fit;
  painter.translate((page.width() - window->width() * scale) / 2,
                    (page.height() - window->height() * scale) / 2);
  painter.scale(scale, scale);
  window->render(&painter, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

const std::vector<PictureFormat>& pictureFormats() {
  static const std::vector<PictureFormat> formats = {
      {{QStringLiteral("PNG 画像 (*.png)"), QStringLiteral("png")}, encodePng},
      {{QStringLiteral("SVG 画像 (*.svg)"), QStringLiteral("svg")}, encodeSvg},
      {{QStringLiteral("PDF 文書 (*.pdf)"), QStringLiteral("pdf")}, encodePdf},
  };
  return formats;
}

const PictureFormat* formatOfFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  for (const PictureFormat& format : pictureFormats())
    if (suffix.compare(format.kind.suffix, Qt::CaseInsensitive) == 0) return &format;
  return nullptr;
}

}  // namespace tk
