#pragma once
// The chart as assistive technology sees it: an element over the plot area with the role of a
// chart, named for what it shows and described by the ranges on screen. It paints nothing and
// lets every mouse event through to the window under it. Once the pointer has read the chart at a
// unit price, the description also gives that price's amounts.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/chart_state.h"

namespace tk {

class ChartArea : public QWidget {
 public:
  // What the chart reads at a unit price, line by line (the pointer's readout).
  using Reading = std::function<std::vector<std::string>(const core::ChartState& s, float price)>;
  ChartArea(QWidget* parent, Reading reading);
  // Follows the plot area and the visible ranges after a redraw.
  void follow(const core::ChartState& s);
  // The chart was read at `price`: the description adds its readout, and keeps it up to date
  // while the price stays in view.
  void showPoint(const core::ChartState& s, float price);
  // The trade changed: the readout at the point read follows it.
  void followTrade(const core::ChartState& s);

 private:
  void describe(const core::ChartState& s);
  Reading reading_;
  std::optional<float> point_;
};

}  // namespace tk
