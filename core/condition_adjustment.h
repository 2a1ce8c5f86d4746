#pragma once

// The condition adjustment of the five measured sides.
//
// The angles, degrees, by the law of cosines from the measured sides and S3:
//   angleABC, angleBAC in A-B-C (S1, S2, S3)
//   angleACD, angleCAD in A-C-D (S3, S4, S5);  angleADC = 180 - ACD - CAD
//   angleADB, angleBAD in A-B-D (S1, S5, S6);  angleABD = 180 - ADB - BAD
// and the distances of A from the lines B-C, C-D and B-D, m:
//   hB = S1 sin(angleABC),  hD = S3 sin(angleACD),  hBD = S5 sin(angleADB).
//
// The one condition: the angle at A between B and D is the sum of its two
// parts, angleBAC + angleCAD - angleBAD = 0. Its misclosure, seconds, kept as
// a float:
//   w = (angleBAC + angleCAD - angleBAD) 3600
// Its coefficients, the change of w per metre of each side ("/m, rho = 206265
// seconds per radian; the angle at A of a triangle grows by 1/h per metre of
// the side opposite A and by -cos(angle at the far end)/h per metre of a
// side from A):
//   a1 = rho (cos(angleABD) / hBD - cos(angleABC) / hB)
//   a2 = rho / hB
//   a4 = rho / hD
//   a5 = rho (cos(angleADB) / hBD - cos(angleADC) / hD)
//   a6 = -rho / hBD
//   [aa] = a1^2 + a2^2 + a4^2 + a5^2 + a6^2, ("/m)^2
// Equal weights and one normal equation [aa] K + w = 0:
//   K = -w / [aa], m^2/", from the stored float w
//   v_i = K a_i, the correction of side i, m
//   ms = sqrt([vv] / 1) 1000, mm, one redundant measurement; kept as a float
// and each side becomes S_i + v_i.
//
// The worked example (S1 902.1006, S2 870.9382, S4 889.6279, S5 951.5497,
// S6 1158.3709, S3 1385.9476 m): a1 222.69, a2 234.49, a4 218.69,
// a5 214.46, a6 -285.33 "/m, [aa] 279 808, w 3.43", K -1.2244e-5,
// v -2.7, -2.9, -2.7, -2.6, +3.5 mm, ms 6.48 mm.

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
