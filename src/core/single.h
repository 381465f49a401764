#pragma once
// Storing a result computed in double as a single-precision float, the one narrowing rule of the
// program: to the nearest float, as the hardware rounds; a value past the largest float but closer
// to it than to 2^128 becomes the largest float, anything beyond becomes an infinity of its sign,
// and NaN stays NaN. A plain cast would be undefined outside the float range.
#include <cmath>
#include <limits>

namespace core {

// From here on a double rounds to infinity when stored as a float (FLT_MAX plus half an ulp).
inline constexpr double kFloatOverflow = 0x1.ffffffp+127;

// True when the value is stored in single precision without becoming infinite (NaN is not).
inline bool finiteAsFloat(double value) { return std::fabs(value) < kFloatOverflow; }

inline float toSingle(double value) {
  constexpr float kMax = std::numeric_limits<float>::max();
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (!finiteAsFloat(value)) return std::copysign(std::numeric_limits<float>::infinity(), value);
  if (std::fabs(value) > kMax) return std::copysign(kMax, value);
  return static_cast<float>(value);
}

}  // namespace core
