#pragma once

#include "checked_arithmetic.h"

namespace korvane {

struct NamedSide {
    double length;
    const char* name; // "S1" ... "S6"
};

// The angle between the sides p and q, opposite r, by the law of cosines taken
// through an arctangent: degrees, from 0 to 180. A side that is zero or
// negative, or three sides that violate the triangle inequality, fail with the
// triangle named in `site`.
//
// A cosine of exactly zero is a right angle: it is answered as 90 degrees
// directly, where the arctangent of s / c would divide by zero.
double triangleAngle(NamedSide p, NamedSide q, NamedSide r, const Site& site);

} // namespace korvane
