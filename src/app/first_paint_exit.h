#pragma once
// For the start-up benchmark (scripts/bench-startup): with HOSHINAMI_EXIT_AFTER_FIRST_PAINT=1 in
// the environment, the program quits as soon as its window has been painted for the first time, so
// the script can time start-up to the first painted window and read the peak memory of that.
// Without the variable nothing is installed and the program behaves as always.

class QWidget;

namespace app {

void quitAfterFirstPaintIfAsked(QWidget* window);

}  // namespace app
