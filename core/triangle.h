#pragma once

#include "checked_arithmetic.h"

namespace korvane {

struct NamedSide {
    double length;
    const char* name; // "S1" ... "S6"
};

// The angle between the sides p and q, opposite r, by the law of cosines taken
// through an arctangent: degrees, strictly between 0 and 180. A side that is
// zero or negative, three sides that violate the triangle inequality, or
// three that put the corners on one line (an angle of exactly 0 or 180
// degrees: FlatTriangle) fail with the triangle named in `site`.
//
// A cosine of exactly zero is a right angle: it is answered as 90 degrees
// directly, where the arctangent of s / c would divide by zero.
double triangleAngle(NamedSide p, NamedSide q, NamedSide r, const Site& site);

} // namespace korvane
