#pragma once

#include "adjustment_error.h"
#include "adjustment_terms.h"
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
struct PointGeometry {
    double dX;
    double dY;
    double azimuth;
    double angle;
    double height;
    double aAlong;
    double aAcross;
};

// The weight reciprocals of the point `g`'s northing and easting, and from
// them and ms its standard errors and position error, each stored into `out`
// as a float the moment it is formed. A weight reciprocal below zero has no
// square root: that fails with NegativeWeightReciprocal. Returns the cross
// terms of the weight functions, which the error ellipse needs.
AdjustmentTerms::WeightTerms computePointPrecision(const PointGeometry& g, double aa, float ms, Stage stage,
                                                   PointPrecision& out);

} // namespace korvane
