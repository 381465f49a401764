#include "core/mapping.h"

#include <cmath>

#include "core/single.h"

namespace core {

double plotRight(const ChartState& s) { return static_cast<double>(s.graphLeft) + s.graphWidth; }
double plotTop(const ChartState& s) { return static_cast<double>(s.graphBottom) - s.graphHeight; }

float FuncX(const ChartState& s, float tempP) {
  const double x =
      (static_cast<double>(tempP) - s.priceMin) / s.priceSpan * s.graphWidth + s.graphLeft;
  return toSingle(x);
}

double PriceAtX(const ChartState& s, float x) {
  return (static_cast<double>(x) - s.graphLeft) / s.graphWidth * s.priceSpan + s.priceMin;
}

float FuncY(const ChartState& s, float tempP, float tempT) {
  return FuncY(s, tempP, static_cast<double>(s.quantity), tempT);
}
void Siten(ChartState& s, float tempT) { Siten(s, static_cast<double>(s.quantity), tempT); }
void Syuten(ChartState& s, float tempT) { Syuten(s, static_cast<double>(s.quantity), tempT); }

float FuncY(const ChartState& s, float tempP, double slope, float tempT) {
  const double y =
      s.graphBottom - (slope * tempP + tempT - s.amountMin) / s.amountSpan * s.graphHeight;
  return toSingle(y);
}

void Siten(ChartState& s, double slope, float tempT) {
  const float a = toSingle(static_cast<double>(s.priceMin) * slope + tempT);
  if (a >= s.amountMin) {
    s.lineStartX = s.graphLeft;
    s.lineStartY =
        toSingle(s.graphBottom - (static_cast<double>(s.priceMin) * slope + tempT - s.amountMin) /
                                     s.amountSpan * s.graphHeight);
  } else {
    s.lineStartY = s.graphBottom;
    s.lineStartX = toSingle(((static_cast<double>(s.amountMin) - tempT) / slope - s.priceMin) /
                                s.priceSpan * s.graphWidth +
                            s.graphLeft);
  }
}

void Syuten(ChartState& s, double slope, float tempT) {
  const float b = toSingle(static_cast<double>(s.priceMax) * slope + tempT);
  if (s.amountMin <= b && b <= s.amountMax) {
    s.lineEndX = toSingle(plotRight(s));
    s.lineEndY =
        toSingle(s.graphBottom - (static_cast<double>(s.priceMax) * slope + tempT - s.amountMin) /
                                     s.amountSpan * s.graphHeight);
  } else {
    s.lineEndX = toSingle(((static_cast<double>(s.amountMax) - tempT) / slope - s.priceMin) /
                              s.priceSpan * s.graphWidth +
                          s.graphLeft);
    s.lineEndY = toSingle(plotTop(s));
  }
}

bool isShowable(const SavedView& v) {
  const auto finite = [](float f) { return std::isfinite(f); };
  const auto positive = [&](float f) { return finite(f) && f > 0; };
  return finite(v[0]) && positive(v[1]) && finite(v[2]) && positive(v[3]) &&
         finite(toSingle(static_cast<double>(v[0]) + v[1])) &&
         finite(toSingle(static_cast<double>(v[2]) + v[3]));
}

bool viewIsDrawable(const ChartState& s) {
  const auto positive = [](float f) { return std::isfinite(f) && f > 0; };
  return isShowable(currentView(s)) && positive(s.graphWidth) && positive(s.graphHeight);
}

}  // namespace core
