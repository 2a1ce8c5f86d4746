#pragma once

// Figures whose misclosure check was computed independently of the program:
// the angles by arccosine in 40-digit arithmetic with the true pi, the
// gradient of the condition (angle B-A-C + C-A-D - B-A-D, in seconds with
// 206265 per radian) by central differences rather than from the analytic
// coefficients, m_i = a + b S / 1000, m_w the root of the summed squares.
// The texts are those values to two decimals; none lies near a tie.

#include "figure_check.h"
#include "records.h"

#include <array>

namespace korvane::testing {

struct CheckedNetwork {
    const char* name;
    Observations measured;
    DistanceAccuracy accuracy;
    const char* wText;     // w to two decimals
    const char* limitText; // 2 m_w to two decimals
    double standardError;  // m_w, seconds
    bool withinLimit;
};

inline const std::array<CheckedNetwork, 12>& checkedNetworks()
{
    static const std::array<CheckedNetwork, 12> networks{{
        // the worked example of a braced rhombus of about 900 m sides
        {"workedExample",
         {3521.418, 1204.337, 4497.112, 2188.650, 902.1006, 870.9382, 889.6279, 951.5497, 1158.3709},
         {2, 2}, "3.43", "4.19", 2.094844994, true},
        // the same with S6 measured 5 cm too long
        {"diagonalFiveCentimetresLong",
         {3521.418, 1204.337, 4497.112, 2188.650, 902.1006, 870.9382, 889.6279, 951.5497, 1158.4209},
         {2, 2}, "-10.84", "4.19", 2.094920856, false},
        // B's sides typed for D's and D's for B's (S1/S5, S2/S4): the same
        // check passes, only the drawing shows the points mirrored across A-C
        {"bAndDSwapped",
         {3521.418, 1204.337, 4497.112, 2188.650, 951.5497, 889.6279, 870.9382, 902.1006, 1158.3709},
         {2, 2}, "3.43", "4.19", 2.094844994, true},
        {"fieldNetwork",
         {3521.418, 4210.735, 3802.901, 5395.280, 823.7092, 786.5852, 974.6890, 841.3028, 1202.7588},
         {2, 2}, "-4.78", "4.96", 2.478808, true},
        // |w| 0.003" inside its limit, 0.006" beyond it: the texts of the
        // second show the same two digits and still exceed
        {"justWithinTheLimit",
         {3521.418, 4210.735, 3802.901, 5395.280, 823.6997, 786.5912, 974.6860, 841.3098, 1202.7583},
         {2, 2}, "-4.95", "4.96", 2.478815, true},
        {"justBeyondTheLimit",
         {3521.418, 4210.735, 3802.901, 5395.280, 823.6993, 786.5912, 974.6860, 841.3098, 1202.7580},
         {2, 2}, "-4.96", "4.96", 2.478815, false},
        // a 3 cm blunder on S6: beyond the limit of a 2 mm + 2 ppm instrument,
        // within that of a 5 mm + 5 ppm one
        {"blunderAtTwoPlusTwo",
         {3521.418, 4210.735, 3802.901, 5395.280, 823.7002, 786.5882, 974.6870, 841.3108, 1202.7738},
         {2, 2}, "-10.64", "4.96", 2.478852, false},
        {"blunderAtFivePlusFive",
         {3521.418, 4210.735, 3802.901, 5395.280, 823.7002, 786.5882, 974.6870, 841.3108, 1202.7738},
         {5, 5}, "-10.64", "12.39", 6.197131, true},
        // A->C due east over 2 km, B and D only 150 m and 180 m off it
        {"longThinFigure", {1000.0, 1000.0, 1000.0, 3000.0, 1011.1914, 1011.1844, 917.8255, 1114.6350, 344.8148},
         {2, 2}, "5.22", "9.96", 4.979451, true},
        // national grid coordinates, A->C to the south-west
        {"southWestOnTheNationalGrid",
         {3456789.123, 512345.678, 3455902.456, 511398.211, 922.1412, 1009.3318, 830.9026, 1013.4880, 1376.3591},
         {2, 2}, "-0.13", "4.36", 2.178851, true},
        // a figure of 120 m sides with a precise instrument, 0.5 mm + 1 ppm
        {"shortFigurePreciseInstrument",
         {500.0, 500.0, 620.0, 590.0, 117.1541, 117.1534, 138.2934, 120.9342, 195.5755},
         {0.5, 1}, "2.94", "6.39", 3.192502, true},
        {"northWestBeyondTheLimit",
         {2000.0, 2000.0, 2700.0, 1300.0, 604.1857, 811.8249, 564.3530, 782.6328, 986.2192},
         {2, 2}, "6.66", "5.43", 2.712934, false},
    }};
    return networks;
}

} // namespace korvane::testing
