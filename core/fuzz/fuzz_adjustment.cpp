// Nine arbitrary doubles, finite or not, as the entered values, and three
// more as the heights and Y constant of a reduction of the sides: the
// reduction, the computation and the judging of the figure's strength each
// either complete or raise AdjustmentError, and never store a NaN or an
// infinity.

#include "adjustment.h"
#include "distance_reduction.h"
#include "figure_strength.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// each value written by the rule of its own precision, as window and paper do
void requireFinite(korvane::KeptValue auto value)
{
    if (!std::isfinite(value))
        std::abort();
    korvane::fixedText(value, 4, 4);
}

void requireStoredValuesFinite(const korvane::AdjustmentResult& r)
{
    for (double value : {r.S3, r.K, r.xp1, r.yp1, r.xp2, r.yp2})
        requireFinite(value);
    for (float value : {r.w, r.ms, r.B.invPx, r.B.invPy, r.B.mx, r.B.my, r.B.md, r.D.invPx, r.D.invPy,
                        r.D.mx, r.D.my, r.D.md})
        requireFinite(value);
}

void requireFinite(std::optional<double> value)
{
    if (value)
        requireFinite(*value);
}

void requireStrengthFinite(const korvane::FigureStrength& s)
{
    for (const korvane::APrioriPrecision& p : {s.B, s.D})
        for (double value : {p.mx, p.my, p.md, p.ellipse.semiMajor, p.ellipse.semiMinor, p.ellipse.azimuth})
            requireFinite(value);
    for (const korvane::SideReliability& side : s.sides) {
        requireFinite(side.redundancy);
        for (std::optional<double> value : {side.detectableMm, side.explainingMm, side.effectOnBMm, side.effectOnDMm})
            requireFinite(value);
    }
    for (const korvane::FigureAngle& angle : s.angles.angles)
        requireFinite(angle.degrees);
}

// the reduced sides of a setting the surveyor could have made
void reduce(const korvane::Observations& entered, const double* setting)
{
    const korvane::DistanceReduction reduction{true, setting[0], setting[1], true, setting[2]};
    if (korvane::reductionProblem(reduction))
        return;
    try {
        const korvane::ReducedSides reduced = korvane::reduceSides(entered, reduction);
        for (double value : {reduced.observations.S1, reduced.observations.S2, reduced.observations.S4,
                             reduced.observations.S5, reduced.observations.S6, reduced.meanPpm})
            requireFinite(value);
    } catch (const korvane::AdjustmentError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double values[12] = {};
    std::memcpy(values, data, std::min(size, sizeof values));
    korvane::Observations o{values[0], values[1], values[2], values[3], values[4],
                            values[5], values[6], values[7], values[8]};
    const korvane::Observations entered = o;
    if (size > 9 * sizeof(double))
        reduce(entered, values + 9);
    korvane::AdjustmentResult r;
    korvane::AdjustmentTerms terms;
    try {
        korvane::adjust(o, r, {}, &terms);
    } catch (const korvane::AdjustmentError&) {
        requireStoredValuesFinite(r);
        // the sides are replaced only by finite adjusted values, or not at all
        for (double korvane::Observations::*side : {&korvane::Observations::S1, &korvane::Observations::S2,
                                                    &korvane::Observations::S4, &korvane::Observations::S5,
                                                    &korvane::Observations::S6})
            if (std::memcmp(&(o.*side), &(entered.*side), sizeof(double)) != 0 && !std::isfinite(o.*side))
                std::abort();
        return 0;
    }
    requireStoredValuesFinite(r);
    try {
        requireStrengthFinite(korvane::assessStrength(o, r, terms, korvane::defaultAccuracy));
    } catch (const korvane::AdjustmentError&) {
    }
    return 0;
}
