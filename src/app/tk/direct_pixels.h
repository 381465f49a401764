#pragma once
// Painting without the painter where it costs more than the pixels: a repaint of a few thin strips
// (a moving selection outline) spends most of its time in the painter's set-up and clipping per
// call, and a strip of many rows is handed to helper threads whose wake-up costs more again.
#include <QImage>
#include <QPoint>

class QPaintDevice;
class QPainter;
class QWidget;

namespace tk {

// The image a painter paints on and where the painter's origin lies on it, when each logical pixel
// is one pixel of that image: a raster painter on an image (the window's backing store, or an image
// the window is rendered into) moved by whole pixels only. Null image otherwise (another density,
// a vector device). Writing to it directly paints, within what the painter may change (its clip).
struct DirectPixels {
  QImage* image = nullptr;
  QPoint origin;
  // The image's first byte, where the painter writes (bits() would copy an image that wraps
  // memory it does not own).
  uchar* bits() const { return const_cast<uchar*>(image->constBits()); }
};

DirectPixels directPixels(QPainter& painter);
// The same, with no painter, for a widget's paint event on its window's backing store: `device` is
// where the event is redirected (QWidget::redirected(), a protected member), and the widget's
// place in its window is its origin there. Null image for any other device (an image or picture
// the window is rendered into): those paint through a painter.
DirectPixels directPixelsOnBackingStore(const QWidget* widget, QPaintDevice* device);

}  // namespace tk
