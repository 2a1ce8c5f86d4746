#pragma once

// The two records of one adjustment, owned by the window for the whole run.
//
// Precision is part of the contract: the values that the surveyor reads as
// single precision (the measured sides as printed, w, ms and the precision of
// B and D) are kept as float, rounded from the double result at the moment
// they are stored, and a later step that uses one (w in K, ms in mx and my,
// mx and my in md) uses the rounded value widened back to double. Everything
// else is double.
//
// There is one set of side fields: S1, S2, S4, S5, S6 of Observations hold the
// measured sides from entry until the condition adjustment adds the
// corrections, and the adjusted sides from then on. After an adjustment a
// measured side exists only as its single-precision copy s1 ... s6.

namespace korvane {

struct Observations {
    double Xa = 0.0; // northing of the control point A, m
    double Ya = 0.0; // easting of A, m
    double Xc = 0.0; // northing of the control point C, m
    double Yc = 0.0; // easting of C, m
    double S1 = 0.0; // A-B, m (measured, then adjusted)
    double S2 = 0.0; // B-C
    double S4 = 0.0; // C-D
    double S5 = 0.0; // D-A
    double S6 = 0.0; // B-D, the measured diagonal
};

struct PointPrecision {
    float invPx = 0.0f; // weight reciprocal of the northing (1/px)
    float invPy = 0.0f; // weight reciprocal of the easting (1/py)
    float mx = 0.0f;    // standard error of the northing, mm
    float my = 0.0f;    // standard error of the easting, mm
    float md = 0.0f;    // point position error, mm
};

struct AdjustmentResult {
    double S3 = 0.0; // A-C from the control coordinates, never corrected, m

    // the measured sides, copied to single precision when each is confirmed
    float s1 = 0.0f;
    float s2 = 0.0f;
    float s4 = 0.0f;
    float s5 = 0.0f;
    float s6 = 0.0f;

    float w = 0.0f;  // misclosure of the fixed-angle condition at A, seconds
    double K = 0.0;  // correlate of the single normal equation
    float ms = 0.0f; // standard error of unit weight of a measured side, mm

    double xp1 = 0.0; // B, northing and easting, m
    double yp1 = 0.0;
    double xp2 = 0.0; // D
    double yp2 = 0.0;

    PointPrecision B;
    PointPrecision D;
};

} // namespace korvane
