#pragma once

// The compute pipeline after the entry: the known side A-C and its azimuth,
// the condition adjustment of the sides, the coordinates of B and D, and
// their precision.
//
// Notation, used throughout the adjustment sources:
//   A, C      control points; B, D the points to be fixed (B left of A->C, D right)
//   S1 A-B, S2 B-C, S3 A-C (from coordinates), S4 C-D, S5 D-A, S6 B-D
//   angleXYZ  the angle at Y of triangle X-Y-Z, degrees
//   hB, hD, hBD  the distance of A from the lines B-C, C-D and B-D, m
//   a1 ... a6 coefficients of the side corrections in the condition, "/m
//   w         misclosure of the fixed-angle condition at A, seconds of arc
//   ms        unit-weight error of a measured side, millimetres
//
// Accuracy. The condition adjustment is linearised and uses rho = 206265
// seconds per radian, so it agrees with a rigorous least-squares adjustment
// of the four coordinates from the five sides to second order in the side
// errors. Measured against one (Gauss-Newton, core/tests/tst_least_squares.cpp)
// over 500 random rhombi of 200 m to 2 km sides with 5 mm side errors, the
// largest differences were: B and D 1.4 um (the test holds 10 um), the
// adjusted sides 1.3 um (10 um), ms 0.0011 mm (0.01 mm), the weight
// reciprocals 2.1e-4 (1e-3), the axes of the error ellipses 0.0005 mm (1 %).
//
// Each result is stored the moment it is computed, and the listener hears of
// it right away, so a window can fill its fields while the work runs. When a
// step fails, adjust() throws AdjustmentError: every result stored before the
// fault stays, and nothing after it is touched.

#include "adjustment_error.h"
#include "adjustment_terms.h"
#include "records.h"

#include <functional>

namespace korvane {

enum class Milestone {
    KnownSide,       // S3
    Misclosure,      // w
    UnitWeightError, // ms (the sides are adjusted right after)
    PointB,          // xp1, yp1
    PointD,          // xp2, yp2
    PrecisionB,      // the five values of B
    PrecisionD,      // the five values of D
};

using MilestoneListener = std::function<void(Milestone)>;

// Runs the whole computation on the nine entered values. The measured sides in
// `observations` are replaced by the adjusted ones once ms is known. When
// `terms` is given, it receives the working values a check of the figure
// reads, each group before the listener hears of the stage that formed it.
void adjust(Observations& observations, AdjustmentResult& result,
            const MilestoneListener& listener = {}, AdjustmentTerms* terms = nullptr);

} // namespace korvane
