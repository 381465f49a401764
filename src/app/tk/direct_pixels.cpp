#include "app/tk/direct_pixels.h"

#include <QPaintEngine>
#include <QPainter>
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

DirectPixels directPixels(QPaintDevice* device, QPoint origin) {
  auto* image = dynamic_cast<QImage*>(device);
  if (!image || image->devicePixelRatio() != 1 || !image->isDetached()) return {};
  return {image, origin};
}

}  // namespace tk
