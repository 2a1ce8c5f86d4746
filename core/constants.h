#pragma once

// The constants of the arithmetic. pi is deliberately the ten-decimal value
// the adjustment has always used, not the exact one: every conversion between
// degrees and radians goes through degPerRad, so an angle of 90 degrees is
// 1.57079632675 radians. rho (seconds per radian) is the rounded survey value
// and enters only the condition coefficients.
namespace korvane {

inline constexpr double pi = 3.1415926535;
inline constexpr double degPerRad = 180.0 / pi;
inline constexpr double rho = 206265.0;

} // namespace korvane
