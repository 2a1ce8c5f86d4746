#pragma once

// The strength of the checked networks (checked_networks.h, in the same
// order, each at its own accuracy), computed independently of the program in
// 40-digit arithmetic: B and D by a rigorous equal-weight least-squares
// adjustment (Gauss-Newton) of the five sides; its derivatives by central
// differences, and from them the a-priori covariance J diag(m_i^2) J^T and
// its eigenvalues; the condition's coefficients by central differences of
// the misclosure (206265" a radian); the effect of a blunder by adjusting
// the figure again with it; the angles from the adjusted corners by atan2.
// The texts are those values with the digits RESULTS.csv gives them. Two
// lie within 0.0003 of a rounding tie, md of B of the field network and its
// neighbours (4.6852 mm) and E of B of the worked example (3.5049 mm); the
// program's values differ from these by less than 0.0001 mm.

#include "records.h"

#include <array>

namespace korvane::testing {

// A = (5000, 5000), C = (5000, 6000), B 1 mm north of A-C 400 m from A,
// D = (4400, 5500) with S4 2 mm long and S5 1 mm short; the sides to 0.1 nm,
// so that B stays off the line. Its check can catch nothing (a limit of a
// million seconds), and the triangle A-B-C is flat to 0.0 degrees at C.
inline Observations bOffTheLine()
{
    return {5000, 5000, 5000, 6000, 400.0000000012, 600.0000000008, 781.0269675907, 781.0239675907, 608.2772394238};
}

struct NetworkStrength {
    const char* name;
    const char* scale;       // k, ppm, 2 decimals, as RESULTS.csv writes it
    const char* smallest;    // the smallest angle, degrees, 1 decimal
    const char* weakest;     // its triangle and corner where it is below 30 degrees, else nullptr
    const char* detectable;  // the largest ∇, mm, 1 decimal
    const char* effectOnB;   // the largest effect of such a blunder on B, mm
    const char* effectOnD;   // and on D
    const char* aPrioriMdB;  // md of B from the instrument, mm, 2 decimals
    const char* aPrioriMdD;
};

inline const std::array<NetworkStrength, 12>& networkStrengths()
{
    static const std::array<NetworkStrength, 12> strengths{{
        {"workedExample", "-7.24", "37.8", nullptr, "27.8", "22.0", "23.2", "4.88", "4.97"},
        {"diagonalFiveCentimetresLong", "22.91", "37.8", nullptr, "27.8", "22.0", "23.2", "4.88", "4.97"},
        {"bAndDSwapped", "-7.24", "37.8", nullptr, "27.8", "23.2", "22.0", "4.97", "4.88"},
        {"fieldNetwork", "10.69", "39.7", nullptr, "30.0", "23.4", "26.8", "4.69", "5.09"},
        {"justWithinTheLimit", "11.09", "39.7", nullptr, "30.0", "23.4", "26.8", "4.69", "5.09"},
        {"justBeyondTheLimit", "11.11", "39.7", nullptr, "30.0", "23.4", "26.8", "4.69", "5.09"},
        {"blunderAtTwoPlusTwo", "23.81", "39.7", nullptr, "30.0", "23.4", "26.8", "4.69", "5.09"},
        {"blunderAtFivePlusFive", "23.81", "39.7", nullptr, "74.9", "58.5", "66.9", "11.71", "12.71"},
        {"longThinFigure", "-2.17", "8.5", "三角形 A-B-C 在 A", "68.6", "41.1", "48.9", "12.80", "12.62"},
        {"southWestOnTheNationalGrid", "0.36", "36.9", nullptr, "33.8", "30.7", "26.3", "5.23", "5.06"},
        {"shortFigurePreciseInstrument", "-8.44", "34.1", nullptr, "5.1", "4.7", "4.9", "0.83", "0.90"},
        {"northWestBeyondTheLimit", "-15.55", "34.7", nullptr, "31.3", "28.5", "25.8", "4.48", "4.34"},
    }};
    return strengths;
}

} // namespace korvane::testing
