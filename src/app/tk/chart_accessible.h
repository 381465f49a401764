#pragma once
// The chart as assistive technology sees it: an element over the plot area with the role of a
// chart, named for what it shows and described by the ranges on screen. It paints nothing and
// lets every mouse event through to the window under it.
#include <QWidget>

#include "core/chart_state.h"

namespace tk {

class ChartArea : public QWidget {
 public:
  explicit ChartArea(QWidget* parent);
  // Follows the plot area and the visible ranges after a redraw.
  void follow(const ChartState& s);
};

}  // namespace tk
