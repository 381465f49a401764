#include "chart/canvas.h"

#include <string>

#include "core/number_text.h"

namespace chart {

void Canvas::PrintNumber(float value) {
  const std::string plain = core::plainFloat(value);
  Print(value >= 0 ? " " + plain : plain);
}

}  // namespace chart
