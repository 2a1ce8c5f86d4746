#pragma once

// How strong a computed figure is, whatever its one misclosure happened to
// be: the precision the instrument gives B and D, the smallest blunder of
// each side the check of the misclosure can catch and what it does to B and
// D, the blunder that alone would explain a misclosure beyond its limit, and
// the smallest angle of the figure's triangles.
//
// Notation as in adjustment.h and figure_check.h; the five measured sides
// S1, S2, S4, S5, S6 in this order, i over them:
//   S_i  the side as it enters the adjustment (reduced where reduced), m
//   a_i  its condition coefficient, "/m;  [aa] = sum a_i^2
//   m_i  = a + b S_i / 1000, its a-priori standard error, mm
//   m_w  = sqrt(sum (a_i m_i / 1000)^2), that of w, seconds; limit 2 m_w
//   f, g the weight functions of a point's northing and easting (m/m; of B
//        on S1 and S2, of D on S5 and S4, point_precision.h)
//
// Precision from the instrument (a priori). The adjustment gives every side
// the same weight, so the adjusted sides carry P e of the sides' errors e,
//     P = I - a a^T / [aa],
// and a coordinate with the weight function f has the variance
//     mx^2 = f^T P Σ P f = sum m_i^2 (f_i - a_i [af] / [aa])^2 mm^2,
// Σ = diag(m_i^2); my^2 likewise with g, the covariance of X and Y
// f^T P Σ P g, md = sqrt(mx^2 + my^2), and the ellipse E, F, phi of that
// covariance (figure_check.h, with m0 = 1). None depends on ms, so a figure
// whose sides fit exactly has sound values. Worked example at 2 mm + 2 ppm:
//     B  mx 3.49  my 3.41  md 4.88  E 3.50  F 3.40 mm  phi 159.8 degrees
//     D  mx 3.47  my 3.56  md 4.97  E 3.62  F 3.40 mm  phi  57.6 degrees
//
// Reliability of each side (after Baarda), with the one redundant measurement:
//     r_i = (a_i m_i)^2 / sum_j (a_j m_j)^2, the share of a blunder in side i
//           that w shows (the five add up to 1);
//     ∇_i = δ0 m_w / |a_i| m, shown in mm, δ0 = 2 + 0.8416: a blunder
//           that large exceeds the limit 2 m_w with 80 % probability;
//     its effect: how far B and D move when side i carries ∇_i unnoticed,
//           from the whole figure computed again with ∇_i added to S_i (not a
//           linearisation); absent where that figure cannot be computed.
// Worked example at 2 mm + 2 ppm: ∇ = 26.7, 25.4, 27.2, 27.8, 20.9 mm;
// r = 16.4, 17.5, 15.6, 16.0, 34.6 %; the largest effect on B 22.0 mm (from
// S1), on D 23.2 mm (from S5).
//
// Where the blunder would be: Δ_i = w / a_i m, shown in mm, the amount by
// which side i alone, measured that much too long, explains w. With S6 of
// the worked example 5 cm long: -48.7, -46.2, -49.6, -50.5, +38.0 mm. All
// five fit w equally; only the field book can say which it is.
//
// Weak geometry: the twelve angles of the triangles A-B-C (S1 S2 S3), A-C-D
// (S3 S4 S5), A-B-D (S1 S5 S6) and B-C-D (S2 S4 S6) from the adjusted sides,
// by the law of cosines; the engineering-survey code asks for no angle below
// 30 degrees. The worked example's smallest is 37.8 degrees (A-B-C at A);
// the long thin figure of A->C 2 km east, B and D 150 m and 180 m off it,
// has 8.5 degrees there and is weak.
//
// Everything is double; a value that would not be finite is absent where
// the header says so, and otherwise fails with AdjustmentError in
// Stage::Check.

#include "adjustment_error.h"
#include "adjustment_terms.h"
#include "figure_check.h"
#include "measured_side.h"
#include "records.h"

#include <array>
#include <optional>

namespace korvane {

// δ0 of the smallest detectable blunder: the limit at two standard
// errors plus the 0.8416 of a power of 80 %
inline constexpr double detectabilityFactor = 2.0 + 0.8416;

// the smallest angle of a sound figure, degrees
inline constexpr double smallestSoundAngle = 30.0;

// ---- precision from the instrument ----------------------------------------

struct APrioriPrecision {
    double mx = 0.0; // mm
    double my = 0.0; // mm
    double md = 0.0; // mm
    ErrorEllipse ellipse;
};

// The a-priori precision of the point with the weight terms `point`, from the
// coefficients of `terms` and the a-priori errors m_i (mm) of the sides, as
// MisclosureCheck::aPriori holds them.
APrioriPrecision aPrioriPrecision(const AdjustmentTerms& terms, const AdjustmentTerms::WeightTerms& point,
                                  const std::array<double, 5>& sideErrorsMm);

// ---- reliability of each measured side --------------------------------------

struct SideReliability {
    double redundancy = 0.0;                 // r_i, 0 to 1
    std::optional<double> detectableMm;      // ∇_i; absent where a_i is 0: w cannot show a blunder there
    std::optional<double> explainingMm;      // Δ_i = w / a_i; absent where a_i is 0
    std::optional<double> effectOnBMm;       // how far B moves with ∇_i in side i
    std::optional<double> effectOnDMm;       // how far D moves
};

// r_i, ∇_i and Δ_i of the five sides from the coefficients of `terms` and
// the check of the misclosure (its m_i, m_w and w); the effects stay absent.
// These exist as soon as w is stored.
std::array<SideReliability, 5> sideReliability(const AdjustmentTerms& terms, const MisclosureCheck& misclosure);

struct Displacement {
    double BMm = 0.0; // how far B moves, mm
    double DMm = 0.0; // how far D moves, mm
};

// How far B and D move from where `result` placed them when `side` of
// `entered` (A, C and the sides as they entered that adjustment) carries
// `blunder` metres more; absent where the figure so changed cannot be
// computed.
std::optional<Displacement> blunderEffect(const Observations& entered, MeasuredSide side, double blunder,
                                          const AdjustmentResult& result);

// ---- weak geometry ------------------------------------------------------------

// the triangles of the six sides; B-C-D is not one the adjustment forms
enum class FigureTriangle { ABC, ACD, ABD, BCD };
enum class Corner { A, B, C, D };

// "A-B-C" ... "B-C-D"; "A" ... "D"
const char* toString(FigureTriangle triangle);
const char* toString(Corner corner);

struct FigureAngle {
    FigureTriangle triangle = FigureTriangle::ABC;
    Corner corner = Corner::A;
    double degrees = 0.0;
};

struct FigureAngles {
    // A-B-C at A, B, C; A-C-D at A, C, D; A-B-D at A, B, D; B-C-D at B, C, D
    std::array<FigureAngle, 12> angles;
    FigureAngle smallest; // the first of that size in the order above
    bool weak = false;    // smallest below smallestSoundAngle
};

// The angles of `adjusted` (the sides as adjust() left them) with S3. The
// adjusted sides close their triangles only to the adjustment's
// linearisation, and B-C-D not at all by construction: a cosine a rounding
// beyond +-1 is taken as +-1, the flat triangle the sides nearly make,
// rather than no angle. A side of zero fails with DivisionByZero.
FigureAngles figureAngles(const Observations& adjusted, double S3);

// ---- the whole figure -----------------------------------------------------------

// the larger value and the side it belongs to
struct LargestOfSides {
    double valueMm = 0.0;
    MeasuredSide side = MeasuredSide::S1;
};

// The verdict of a figure: beyond the limit over weak, weak over sound.
enum class FigureVerdict { BeyondLimit, Weak, Sound };

FigureVerdict verdictOf(bool withinLimit, bool weak);

struct FigureStrength {
    MisclosureCheck misclosure;
    APrioriPrecision B;
    APrioriPrecision D;
    std::array<SideReliability, 5> sides; // S1, S2, S4, S5, S6, with their effects
    // the largest ∇_i, and the largest effect on B and on D; each absent
    // unless all five sides have one
    std::optional<LargestOfSides> largestDetectable;
    std::optional<LargestOfSides> largestEffectOnB;
    std::optional<LargestOfSides> largestEffectOnD;
    FigureAngles angles;
    FigureVerdict verdict = FigureVerdict::Sound;
};

// The strength of a finished adjustment: `adjusted` as adjust() left it, its
// result and terms, and the instrument's accuracy.
FigureStrength assessStrength(const Observations& adjusted, const AdjustmentResult& result,
                              const AdjustmentTerms& terms, DistanceAccuracy accuracy);

} // namespace korvane
