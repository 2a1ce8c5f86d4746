#pragma once

#include "adjustment.h"

namespace korvane {

// The heights and the condition coefficients formed from the measured sides;
// the precision of B and D uses all but a6.
struct ConditionCoefficients {
    double hB = 0.0; // distance of A from the line B-C, m
    double hD = 0.0; // distance of A from the line C-D, m
    double a1 = 0.0; // "/m, of the corrections of S1, S2, S4, S5
    double a2 = 0.0;
    double a4 = 0.0;
    double a5 = 0.0;
    double a6 = 0.0;
    double aa = 0.0; // [aa], the coefficient of the single normal equation
};

// Forms the fixed-angle condition at A from the measured sides, stores w, K
// and ms, and replaces the measured sides in `observations` by the adjusted
// ones. The listener hears of w and of ms as each is stored; `terms`, when
// given, has the coefficients before w is stored and the corrections before
// ms.
ConditionCoefficients adjustSides(Observations& observations, AdjustmentResult& result,
                                  const MilestoneListener& listener, AdjustmentTerms* terms = nullptr);

} // namespace korvane
