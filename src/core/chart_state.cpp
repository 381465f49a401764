#include "core/chart_state.h"

namespace core {

std::int64_t taxThousandthsInForce(const ChartState& s) {
  return s.nisa ? 0 : s.settings.taxThousandths;
}

void setStartView(ChartState& s) {
  s.graphWidth = 100;
  s.priceSpan = 100;
  s.priceMax = 100;
  s.amountMax = 100000;
  s.graphLeft = 15;
  s.graphBottom = 120;
  s.graphHeight = 70;
  s.priceMin = 0;
  s.amountMin = 0;
  s.amountSpan = 100000;
}

SavedView currentView(const ChartState& s) {
  return {s.priceMin, s.priceSpan, s.amountMin, s.amountSpan};
}

void showView(ChartState& s, const SavedView& v) {
  s.priceMin = v[0];
  s.priceSpan = v[1];
  s.amountMin = v[2];
  s.amountSpan = v[3];
}

}  // namespace core
