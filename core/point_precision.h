#pragma once

// The precision of B and D from the weight functions of their coordinates.
//
// B is placed from A by the adjusted S1 at the azimuth t_AB = t_AC - angleBAC,
// D by the adjusted S5 at t_AD = t_AC + angleCAD (S3 and t_AC are fixed), so
// a correction of S1 or S2 moves B, one of S5 or S4 moves D. With dX, dY the
// point less A (m), and the angle at the point and the height of A used by
// the condition adjustment (degrees, m), the weight functions are the changes
// of the northing (f) and easting (g) per metre of side (m/m):
//   B:  f1 = cos t_AB - dY cos(angleABC) / hB    f2 =  dY / hB
//       g1 = sin t_AB + dX cos(angleABC) / hB    g2 = -dX / hB
//   D:  f5 = cos t_AD + dY cos(angleADC) / hD    f4 = -dY / hD
//       g5 = sin t_AD - dX cos(angleADC) / hD    g4 =  dX / hD
// (the angle at A of a triangle changes by 1/h per metre of the side opposite
// A and by -cos(angle at the far end)/h per metre of the side from A; D lies
// right of A->C, which turns the signs).
//
// With [ff] = f1^2 + f2^2, [af] = a1 f1 + a2 f2 (for D a5 f5 + a4 f4, "/m)
// and [aa] of the condition adjustment, the weight reciprocals are pure
// numbers:
//   1/px = [ff] - [af]^2 / [aa]     1/py = [gg] - [ag]^2 / [aa]
// and the standard errors, from the stored ms (mm):
//   mx = ms sqrt(1/px), my = ms sqrt(1/py), md = sqrt(mx^2 + my^2) mm,
// each kept as a float, and md formed from the kept mx and my.
// The worked example (ms 6.48 mm):
//   B  f1 1.0211  f2 0.1332  g1 -0.0957  g2 -1.0169
//      1/px 0.8213  1/py 0.8020  mx 5.87  my 5.80  md 8.25 mm
//   D  f5 -0.0417  f4 -1.0047  g5 1.0080  g4 0.0921
//      1/px 0.8242  1/py 0.8250  mx 5.88  my 5.88  md 8.32 mm

#include "adjustment_error.h"
#include "adjustment_terms.h"
#include "measured_side.h"
#include "records.h"

namespace korvane {

// A placed point seen from A, as the weight function needs it.
//  - dX, dY: the point's coordinates less those of A, m
//  - azimuth: of A->point, degrees
//  - angle: at the far corner of the triangle that places the point (at B
//    in A-B-C for B, at D in A-C-D for D), from the adjusted sides, degrees
//  - height: the distance of A from the side opposite it in that triangle
//    (hB or hD, from the measured sides), taken negative for D: D lies on the
//    right of A->C, which turns the signs of the terms across the line
//  - aAlong, aAcross: the condition coefficients of the side from A to the
//    point (a1 or a5) and of the side across (a2 or a4)
//  - along, across: which sides those are (S1 and S2, or S5 and S4)
struct PointGeometry {
    double dX;
    double dY;
    double azimuth;
    double angle;
    double height;
    double aAlong;
    double aAcross;
    MeasuredSide along;
    MeasuredSide across;
};

// The weight reciprocals of the point `g`'s northing and easting, and from
// them and ms its standard errors and position error, each stored into `out`
// as a float the moment it is formed. A weight reciprocal below zero has no
// square root: that fails with NegativeWeightReciprocal. Returns the weight
// functions and their cross terms, which the error ellipses need.
AdjustmentTerms::WeightTerms computePointPrecision(const PointGeometry& g, double aa, float ms, Stage stage,
                                                   PointPrecision& out);

} // namespace korvane
