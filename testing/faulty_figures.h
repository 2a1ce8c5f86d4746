#pragma once

// Figures a compute cannot finish, each stopping at a known stage.

#include "records.h"

#include <cmath>

namespace korvane::testing {

// A = (3000, 2000), C moved to (3301, 2950) and a diagonal B-D of 1400 m,
// longer than A-B and D-A together: no triangle A-B-D, before w is stored.
inline Observations noTriangleFigure()
{
    return {3000, 2000, 3301, 2950, 594.0588, 626.4107, 650.0073, 761.5807, 1400};
}

// A figure 1e38 m across, with B-D measured 1 % long: w is stored, and the
// unit-weight error in millimetres then exceeds single precision.
inline Observations hugeFigure()
{
    const double s = 1e35;
    return {0, 0, 2000 * s, 0, std::hypot(1000 * s, 600 * s), std::hypot(1000 * s, 600 * s),
            std::hypot(1000 * s, 700 * s), std::hypot(1000 * s, 700 * s), 1300 * s * 1.01};
}

} // namespace korvane::testing
