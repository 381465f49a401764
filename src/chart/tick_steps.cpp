#include "chart/tick_steps.h"

#include <cmath>
#include <limits>

namespace chart {

float tickStep(float tempArea, float tempStep, float room, float measure) {
  const float fit = std::floor(room / measure);
  for (;;) {
    const float needed = tempArea / tempStep;
    if (fit >= needed) return tempStep;
    const float next = tempStep * 10.0f;
    // When nothing fits (fit 0, or a measure that is not a number) the step would grow until the
    // float overflows; the largest finite step is as far as it goes.
    if (!std::isfinite(next) || next == tempStep) return tempStep;
    tempStep = next;
  }
}

void Barasi(core::ChartState& s, float tempArea, float tempStep, float lineHeight) {
  s.amountStep = tickStep(tempArea, tempStep, s.graphHeight, lineHeight);
}

void Zappari(core::ChartState& s, float tempArea, float tempStep, float labelWidth) {
  s.priceStep = tickStep(tempArea, tempStep, s.graphWidth, labelWidth);
}

}  // namespace chart
