#pragma once
// The window as a picture: a bitmap of everything shown, or a vector drawing of the chart with its
// markers and labels whose unit is the millimetre of the window's drawing scale.
#include <QColor>
#include <QImage>
#include <QSizeF>
#include <vector>

class QIODevice;
class QWidget;

namespace tk {

class DrawingSurface;
class LineControl;
class MmLabel;
class ShapeControl;

// The window and its controls as shown, at `scale` times its screen's device-pixel ratio.
QImage windowImage(QWidget* window, double scale);

// What the vector drawing holds, bottom to top; hidden controls are left out.
struct VectorScene {
  QSizeF sizeMm;
  QColor background;
  const DrawingSurface* chart = nullptr;
  std::vector<const LineControl*> lines;
  const ShapeControl* selection = nullptr;
  std::vector<const MmLabel*> labels;
};

// Writes the scene as SVG: one polyline per chart line and per shown marker line, labels as a
// filled rectangle under their text. False when the device took less than all of it.
bool writeSvg(QIODevice& device, const VectorScene& scene);

}  // namespace tk
