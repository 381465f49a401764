#include "app/tk/direct_pixels.h"

#include <QBackingStore>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace tk {

DirectPixels directPixels(QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return {};
  auto* image = dynamic_cast<QImage*>(engine->paintDevice());
  const QTransform toDevice = painter.deviceTransform();
  if (!image || image->devicePixelRatio() != 1 || !image->isDetached() ||
      toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::round(toDevice.dx()) ||
      toDevice.dy() != std::round(toDevice.dy()))
    return {};
  return {image, QPoint(static_cast<int>(toDevice.dx()), static_cast<int>(toDevice.dy()))};
}

DirectPixels directPixelsOnBackingStore(const QWidget* widget, QPaintDevice* device) {
  QBackingStore* const store = widget->backingStore();
  auto* image = dynamic_cast<QImage*>(device);
  if (!store || !image || device != store->paintDevice() || image->devicePixelRatio() != 1 ||
      !image->isDetached())
    return {};
  return {image, widget->mapTo(widget->window(), QPoint())};
}

}  // namespace tk
