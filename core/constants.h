#pragma once

// The constants of the arithmetic.
//
// pi is the ten-decimal value 3.1415926535, about 9e-11 below the true one,
// and every conversion between degrees and radians goes through degPerRad
// formed from it: the digits of every angle, coordinate and error depend on
// this value, and results are comparable with earlier adjustments only while
// it stays. So 90 degrees is 1.57079632675 radians here.
// Why two pi: the arithmetic keeps the ten-decimal one so that the same
// entries print the same digits as every earlier adjustment; the drawing
// (report/qt) turns ellipses and arrows on paper with the true one, as it
// prints no digit that could differ.
//
// rho is the survey value of seconds per radian, 206265; it enters only the
// condition coefficients and is not 3600 * degPerRad (206264.806...).
namespace korvane {

inline constexpr double pi = 3.1415926535;
inline constexpr double degPerRad = 180.0 / pi;
inline constexpr double rho = 206265.0;

} // namespace korvane
