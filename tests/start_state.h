#pragma once
// The state start-up gives the chart before it reads the entry fields: the start view and plot
// area (the settings start as the built-in ones), plus a quantity. Tests of the pure functions
// start from it.
#include "core/chart_state.h"
#include "core/number_text.h"

// A trade as the fields would hold it, typed as the plain texts of these floats.
inline void setTrade(core::ChartState& s, float quantity, float buy, float sell) {
  const auto decimal = [](float v) {
    return core::readExact(core::plainFloat(v)).value_or(core::fromFloat(v));
  };
  s.quantity = quantity;
  s.buyPrice = buy;
  s.sellPrice = sell;
  s.quantityDecimal = decimal(quantity);
  s.buyPriceDecimal = decimal(buy);
  s.sellPriceDecimal = decimal(sell);
}

inline core::ChartState startState(float quantity = 1000, float buy = 1, float sell = 1) {
  core::ChartState s;
  core::setStartView(s);
  setTrade(s, quantity, buy, sell);
  return s;
}
