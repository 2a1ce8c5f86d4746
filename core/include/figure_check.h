#pragma once

// Judging a computed figure: is the misclosure within what the distance meter
// can explain, how large and how oriented are the errors of B and D, and on
// which side of A->C did each point land.
//
// The misclosure against the instrument. A distance meter of nominal accuracy
// a + b ppm measures a side S (metres) with the a-priori standard error
//     m_i = a + b * S / 1000 millimetres,
// which the condition coefficients carry into the misclosure:
//     m_w = sqrt( sum (a_i * m_i / 1000)^2 ) seconds, over S1, S2, S4, S5, S6.
// As the surveying codes set limits, the limit is twice the standard error,
// and the figure passes when |w| (the stored single-precision w) <= 2 m_w.
// With one redundant measurement the misclosure can reveal a blunder but not
// say which side holds it.
//
// The error ellipse of a point, from the same quantities as mx and my:
//     Qxx = 1/px, Qyy = 1/py (the stored values), Qxy = [fg] - [af][ag] / [aa],
//     gap = sqrt((Qxx - Qyy)^2 + 4 Qxy^2), the difference of the two
//         eigenvalues of the cofactor matrix (textbooks call it K, the letter
//         of the correlate here),
//     E = ms sqrt((Qxx + Qyy + gap) / 2), F = ms sqrt((Qxx + Qyy - gap) / 2) mm,
//     phi = atan2(2 Qxy, Qxx - Qyy) / 2, the azimuth of the major axis from
//     north, clockwise, in [0, 180) degrees.
// E^2 + F^2 = ms^2 (1/px + 1/py), which is mx^2 + my^2 before their rounding.
// Worked example: B E 5.88, F 5.79 mm, phi 17.9; D E 6.09, F 5.67 mm, phi 45.2.
//
// Everything is double; a value that would not be finite fails with
// AdjustmentError in Stage::Check.

#include "adjustment_error.h"
#include "adjustment_terms.h"
#include "records.h"

#include <array>
#include <optional>

namespace korvane {

// The nominal accuracy of the distance meter, a + b ppm.
struct DistanceAccuracy {
    double constantMm = 2.0; // a, millimetres
    double ppm = 2.0;        // b, millimetres per kilometre
    bool operator==(const DistanceAccuracy&) const = default;
};

// the instrument Korvane assumes until the surveyor names another: a common
// total station
inline constexpr DistanceAccuracy defaultAccuracy{};

// Bounds of a sensible accuracy: 0 <= a <= 100 mm, 0 <= b <= 100 ppm, and not
// both zero (a perfect instrument would make every misclosure a blunder).
inline constexpr double largestConstantMm = 100.0;
inline constexpr double largestPpm = 100.0;

struct AccuracyProblem {
    enum class Part { Constant, Scale, Both };
    enum class Reason {
        NotANumber, // not finite
        OutOfRange, // below 0 or above the bound
        BothZero,
    };
    Part part;
    Reason reason;
    bool operator==(const AccuracyProblem&) const = default;
};

// What is wrong with `accuracy`, the constant part before the scale; nothing
// when it can be used.
std::optional<AccuracyProblem> accuracyProblem(DistanceAccuracy accuracy);

struct MisclosureCheck {
    float w = 0.0f;                     // the stored misclosure, seconds
    std::array<double, 5> aPriori{};    // m_i of S1, S2, S4, S5, S6, mm
    double standardError = 0.0;         // m_w, seconds
    double limit = 0.0;                 // 2 m_w, seconds
    bool withinLimit = false;           // |w| <= limit
};

// Needs the measured sides and the coefficients of `terms`, which exist once
// w is stored.
MisclosureCheck checkMisclosure(const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy);

struct ErrorEllipse {
    double semiMajor = 0.0; // E, mm
    double semiMinor = 0.0; // F, mm
    double azimuth = 0.0;   // of the major axis, degrees from north clockwise, [0, 180)
};

// The ellipse of a point from its stored precision, its weight terms, [aa]
// and the stored ms.
ErrorEllipse errorEllipse(const PointPrecision& precision, const AdjustmentTerms::WeightTerms& weight, double aa,
                          float ms);

// The ellipse of cofactors Qxx, Qyy, Qxy and a unit-weight error m0 (mm), by
// the formulas above with m0 for ms; with variances in mm^2 and m0 = 1, the
// ellipse of a covariance matrix.
ErrorEllipse ellipseOf(double Qxx, double Qyy, double Qxy, double unitWeight);

// Looking from A towards C.
enum class SideOfLine { Left, OnTheLine, Right };

// The side of the point (Xp, Yp) seen from A towards C.
SideOfLine sideOf(double Xp, double Yp, const Observations& observations);

struct FigureCheck {
    MisclosureCheck misclosure;
    ErrorEllipse B;
    ErrorEllipse D;
    SideOfLine sideOfB = SideOfLine::Left;
    SideOfLine sideOfD = SideOfLine::Right;
};

// The whole check of a finished adjustment: `observations` as adjust() left
// them, with the adjusted sides.
FigureCheck checkFigure(const Observations& observations, const AdjustmentResult& result,
                        const AdjustmentTerms& terms, DistanceAccuracy accuracy);

} // namespace korvane
