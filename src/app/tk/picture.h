#pragma once
// The window as a picture. It paints itself (frames, buttons, fields, labels and the chart) on the
// device of each format, so the PNG, the SVG, the PDF and the clipboard's bitmap show the same.
#include <QByteArray>
#include <QImage>
#include <vector>

#include "app/tk/save_dialog.h"

class QPagedPaintDevice;
class QWidget;

namespace tk {

// The window as shown, at twice its screen's density, so it stays crisp printed or enlarged: the
// PNG and the clipboard's bitmap.
QImage windowBitmap(QWidget* window);

// The window painted on a page, as large as the page's printable area lets it be, centred: the
// PDF (whose page is the window's size) and the printer.
void paintOnPage(QWidget* window, QPagedPaintDevice* device);

// A picture format: how the save dialog offers it and how the window is written in it.
struct PictureFormat {
  FileKind kind;
  QByteArray (*encode)(QWidget* window);
};

// PNG, SVG and PDF, in the order the save dialog lists them (the first is the default).
const std::vector<PictureFormat>& pictureFormats();

// The format a file name's suffix names, in any case; null when it names none.
const PictureFormat* formatOfFile(const QString& path);

}  // namespace tk
