// Rounding shared by every model-to-device conversion: to nearest, ties to even,
// clamped so that absurd coordinates (from damaged files) never overflow an int.
#pragma once

#include <cmath>
#include <limits>

inline int RoundHalfEven(double value)
{
  if (!std::isfinite(value)) return 0;
  constexpr double kLimit = 1.0e9;  // far beyond any pixel we draw, well inside int
  if (value > kLimit) return static_cast<int>(kLimit);
  if (value < -kLimit) return static_cast<int>(-kLimit);
  // rint follows the default rounding mode, which is to nearest with ties to even; unlike
  // nearbyint it need not save and restore the floating-point state, which costs more than
  // the rounding on paths that round millions of values.
  return static_cast<int>(std::rint(value));
}
