#include "app/chart_state.h"

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
