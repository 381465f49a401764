#pragma once
// The state start-up gives the chart before it reads the entry fields: the start view and plot
// area and the fee schedule, plus a quantity. Tests of the pure functions start from it.
#include "core/chart_state.h"
#include "core/fee_schedule.h"

inline ChartState startState(float quantity = 1000, float buy = 1, float sell = 1) {
  ChartState s;
  setStartView(s);
  loadFeeSchedule(s);
  s.quantity = quantity;
  s.buyPrice = buy;
  s.sellPrice = sell;
  return s;
}
