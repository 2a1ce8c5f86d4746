#pragma once

// Measured distances on the grid of the control points, and the scale the
// misclosure amounts to.
//
// S3 comes from the grid coordinates of A and C; the five measured sides are
// horizontal distances on the ground. On a national grid (3 degree zones, a
// site hundreds of metres high, tens of kilometres from the central meridian)
// the two differ by 10 to 150 ppm, which the misclosure shows as a blunder.
// Each measured side S (m) is reduced as the engineering-survey code reduces
// a measured distance, first to the projection plane and then to the Gauss
// plane:
//     k_H = 1 + (H_0 - H_m) / R
//     k_G = 1 + y_m^2 / (2 R^2) + dy^2 / (24 R^2)   (1 without the Gauss term)
//     S' = S k_H k_G, which enters the adjustment in place of S,
// with
//     R    = 6 371 000 m, the mean radius of the earth
//     H_m  the mean height of the measured lines, m
//     H_0  the height of the projection plane, m (0 for the ellipsoid of a
//          national grid, or the project's own plane)
//     y_m  the mean of the Y of the side's two ends less the Y constant (the
//          false easting, with the zone number in front if the Y carry it:
//          500000 or 38500000), m; dy the difference of those Y, m.
// A and C give their own Y; B and D the Y of a first adjustment of the sides
// as measured. That is one pass: the reduction moves B and D by a few
// centimetres, which changes y_m^2 / (2 R^2) by y_m dy_m / R^2, some 1e-4 ppm
// 45 km from the meridian, far below the 0.01 ppm that would show.
//
// Worked by hand: a side of 1000 m, H_m 500 m, H_0 0, its ends 45 300 m and
// 44 700 m west of the meridian: k_H = 0.999 921 519 4, k_G = 1.000 024 945 2,
// S' = 999.946 462 6 m (-53.54 ppm: -78.48 of height, +24.95 of projection).
//
// The scale the misclosure amounts to. A common scale error of the measured
// sides (a missing reduction, a wrong prism or atmospheric setting) changes
// w by sum(a_i S_i) per unit of scale, as S3 is fixed; so
//     k = -w / sum(a_i S_i) 10^6 ppm,
// over S1, S2, S4, S5, S6 as they enter the adjustment, with the stored w
// (seconds) and the condition coefficients a_i ("/m): the scale the sides
// would need for w to vanish. The worked example gives -7.24 ppm, with S6 5 cm
// long +22.91 ppm; sides 50 ppm too long give about -50 ppm.

#include "adjustment_terms.h"
#include "records.h"

#include <array>
#include <optional>

namespace korvane {

inline constexpr double earthRadius = 6371000.0; // R, m

// How the measured sides are reduced. Off by default: the sides are taken as
// horizontal distances on the grid already, and nothing changes.
struct DistanceReduction {
    bool toProjectionPlane = false;
    double meanHeight = 0.0;  // H_m, m
    double planeHeight = 0.0; // H_0, m
    bool gaussCorrection = false;
    double yConstant = 500000.0; // m
    bool operator==(const DistanceReduction&) const = default;
};

inline constexpr DistanceReduction noReduction{};

// Heights within +-10 000 m: no survey site lies higher or deeper. The Y
// constant is the false easting of 500 000 m with the zone number in front
// where the Y carry it; 3 degree zones are numbered up to 120, so 0 to
// 120 500 000 m holds every grid, and 0 a grid whose Y are counted from the
// meridian.
inline constexpr double largestHeight = 10000.0;
inline constexpr double largestYConstant = 120500000.0;
// A 6 degree zone reaches 334 km from its meridian at the equator; a point
// further than this from the meridian its Y constant gives lies in no zone.
inline constexpr double largestMeridianDistance = 400000.0;

struct ReductionProblem {
    enum class Part { MeanHeight, PlaneHeight, YConstant };
    enum class Reason {
        NotANumber, // not finite
        OutOfRange,
    };
    Part part;
    Reason reason;
    bool operator==(const ReductionProblem&) const = default;
};

// What is wrong with `reduction`, in the order H_m, H_0, Y constant; nothing
// when it can be used. Only what the reduction uses is judged: nothing when
// it is off, and the Y constant only with the Gauss correction.
std::optional<ReductionProblem> reductionProblem(const DistanceReduction& reduction);

// k_H k_G of a side whose ends have the grid eastings yFrom and yTo (m); 1
// when the reduction is off. Throws AdjustmentError (Stage::Adjustment, at
// "k_H" or "k_G") where the arithmetic overflows, and (Fault::InvalidOperation
// at "y_m") where an end lies beyond largestMeridianDistance of the meridian.
double reductionFactor(const DistanceReduction& reduction, double yFrom, double yTo);

struct ReducedSides {
    Observations observations;                   // A and C as given, the five sides reduced
    std::array<double, 5> factors{1, 1, 1, 1, 1}; // k_H k_G of S1, S2, S4, S5, S6
    std::array<double, 5> changesMm{};           // reduced less measured, mm
    double meanPpm = 0.0;                        // the mean of the five factors, less 1, in ppm
};

// The measured sides of `measured` reduced by `reduction`; `figureMeanHeight`,
// when given, replaces H_m (a figure's own mean height from its file). When
// the reduction is off, `measured` comes back as it is, bit for bit. A
// setting reductionProblem() refuses (with the figure's own height in place)
// throws AdjustmentError(Stage::Adjustment, Fault::InvalidOperation) naming
// "H_m", "H_0" or "Y constant", and a control point too far from the
// meridian "y_m", before any adjustment; a first adjustment that fails throws its own
// AdjustmentError; an overflow of the reduction names "k_H", "k_G" or
// "reduced S1" ... "reduced S6".
ReducedSides reduceSides(const Observations& measured, const DistanceReduction& reduction,
                         std::optional<double> figureMeanHeight = std::nullopt);

// k of the figure in ppm, from the measured sides and coefficients of `terms`
// (which exist once w is stored) and the stored w; nothing where no common
// scale changes w (sum(a_i S_i) is zero) or k is beyond the double range.
std::optional<double> misclosureScalePpm(const AdjustmentTerms& terms, float w);

} // namespace korvane
