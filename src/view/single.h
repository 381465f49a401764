#pragma once
// Storing a result computed in double as a single-precision float.
#include <cmath>
#include <limits>

namespace view {

// Rounds to the nearest float; a value past the largest float becomes an infinity, as the
// hardware conversion does, but without leaving the range the language defines.
inline float toSingle(double d) {
  constexpr double kOverflow = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
  if (std::fabs(d) >= kOverflow) return std::copysign(std::numeric_limits<float>::infinity(), d);
  return static_cast<float>(d);
}

}  // namespace view
