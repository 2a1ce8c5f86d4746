#pragma once

// A figure on national-grid coordinates whose sides were measured on the
// ground: zone 38 of 3 degrees (Y carry the zone number in front of the
// 500 000 m false easting), some 45 km west of the central meridian, 600 m
// high, a rhombus of about 1 km sides.
//
// How it was made, outside the program, in 50-digit decimal arithmetic:
// true grid points A, B, C, D; their grid distances; the ground distances
// grid / (k_H k_G) of each side (k_H -94.18 ppm at H_m 600, H_0 0; k_G
// +24.6 to +25.7 ppm), plus 2.5, -3, 1.5, 2, 1 mm of error, to 0.1 mm as a
// distance meter shows them. Then, independently of the program: a rigorous
// least-squares adjustment (Gauss-Newton) of the ground distances as
// measured for the Y of B and D, the reduction of each side with the Y of
// its ends, and a rigorous adjustment of the reduced sides. Each coordinate
// lies at least 0.2 mm from a rounding tie of its third decimal.

#include "distance_reduction.h"
#include "records.h"

#include <array>

namespace korvane::testing {

struct GridFigure {
    Observations measured;              // A and C on the grid, the ground distances
    DistanceReduction reduction;        // H_m 600, H_0 0, the Gauss term with 38 500 000
    std::array<double, 5> reducedSides; // S1, S2, S4, S5, S6 reduced, m
    double meanPpm;                     // of the five factors
    double xB, yB, xD, yD;              // the rigorous adjustment of the reduced sides, m
};

inline const GridFigure& groundDistancesOnTheNationalGrid()
{
    static const GridFigure figure{
        {3501234.567, 38454321.098, 3502198.775, 38455310.642, 1000.0235, 908.9439, 970.7569, 997.4967, 1358.6086},
        {true, 600.0, 0.0, true, 38500000.0},
        {999.9549767, 908.8811155, 970.6893530, 997.4278397, 1358.5147494},
        -69.0578,
        3502231.215951,
        38454402.340294,
        3501228.117756,
        38455318.504750,
    };
    return figure;
}

} // namespace korvane::testing
