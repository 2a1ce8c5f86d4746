#pragma once

// The working values of one adjustment that the records do not keep but that
// a check of the figure needs: the sides as measured, the coefficients of the
// condition, the corrections, and the cross terms of the weight functions of
// B and D. adjust() fills them, when asked, as its stages form them: the
// measured sides and the coefficients before w is stored, the corrections
// before ms, the weight terms of a point with its precision.

#include <array>

namespace korvane {

struct AdjustmentTerms {
    // S1, S2, S4, S5, S6 in this order throughout
    std::array<double, 5> measured{};     // the sides as entered, m
    std::array<double, 5> coefficients{}; // a1, a2, a4, a5, a6, "/m, from the measured sides
    double aa = 0.0;                      // [aa]
    std::array<double, 5> corrections{};  // vS1 ... vS6, m

    // Of the weight functions f (northing) and g (easting) of a point: [fg],
    // and [af], [ag] with the condition coefficients; and f and g themselves,
    // the change of the point's northing and easting per metre of correction
    // of each side (m/m), S1, S2, S4, S5, S6 in order. B moves with S1 and S2
    // only, D with S4 and S5: the other sides' terms are zero.
    struct WeightTerms {
        double fg = 0.0;
        double af = 0.0;
        double ag = 0.0;
        std::array<double, 5> f{};
        std::array<double, 5> g{};
    };
    WeightTerms B;
    WeightTerms D;
};

} // namespace korvane
