#pragma once
// Tests and benchmarks run real widgets with no display: Qt's offscreen platform, unless the
// person running them chose another one (QT_QPA_PLATFORM=xcb to watch a test, for instance).
// Call before the QApplication is made.
#include <cstdlib>

inline void useOffscreenPlatformUnlessChosen() {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
