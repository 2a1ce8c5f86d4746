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

struct Network {
    Point A, B, C, D;

    Observations exactObservations() const
    {
        return Observations{A.x, A.y, C.x, C.y, distance(A, B), distance(B, C), distance(C, D),
                            distance(D, A), distance(B, D)};
    }
};

} // namespace korvane::testing
