#pragma once

// Test networks: a braced rhombus from the true coordinates of its four
// corners, with exact or perturbed distances.

#include "records.h"

#include <cmath>

namespace korvane::testing {

struct Point {
    double x; // northing
    double y; // easting
};

inline double distance(Point p, Point q)
{
    return std::hypot(q.x - p.x, q.y - p.y);
}

// Tolerances, each with its unit.
inline constexpr double oneNanometre = 1e-9;    // m
inline constexpr double tenthMicrometre = 1e-7; // m
inline constexpr double oneMicrometre = 1e-6;   // m
inline constexpr double tenMicrometres = 1e-5;  // m
// ms, mx, my, md are in millimetres
inline constexpr double tenthMicrometreInMillimetres = 1e-4;
inline constexpr double tenMicrometresInMillimetres = 1e-2;
inline constexpr double tenthMilliarcsecond = 1e-4; // seconds of arc, for w
inline constexpr double tenPicodegrees = 1e-10;     // degrees, for azimuths
// the weight reciprocals are pure numbers
inline constexpr double weightReciprocalUnitsIn6thDecimal = 1e-6;
inline constexpr double weightReciprocalUnitsIn3rdDecimal = 1e-3;

struct Network {
    Point A, B, C, D;

    Observations exactObservations() const
    {
        return Observations{A.x, A.y, C.x, C.y, distance(A, B), distance(B, C), distance(C, D),
                            distance(D, A), distance(B, D)};
    }
};

} // namespace korvane::testing
