#include "distance_reduction.h"

#include "adjustment.h"
#include "checked_arithmetic.h"

#include <cmath>
#include <cstddef>

namespace korvane {

namespace {

constexpr Stage stage = Stage::Adjustment;

std::optional<ReductionProblem::Reason> problemOf(double value, double lowest, double largest)
{
    if (!std::isfinite(value))
        return ReductionProblem::Reason::NotANumber;
    if (!(value >= lowest && value <= largest))
        return ReductionProblem::Reason::OutOfRange;
    return std::nullopt;
}

const char* nameOf(ReductionProblem::Part part)
{
    switch (part) {
    case ReductionProblem::Part::MeanHeight: return "H_m";
    case ReductionProblem::Part::PlaneHeight: return "H_0";
    case ReductionProblem::Part::YConstant: return "Y constant";
    }
    return "?";
}

struct ReducedSide {
    double Observations::*side;
    const char* name;
};

// S1, S2, S4, S5, S6
constexpr std::array<ReducedSide, 5> reducedSides{{
    {&Observations::S1, "reduced S1"},
    {&Observations::S2, "reduced S2"},
    {&Observations::S4, "reduced S4"},
    {&Observations::S5, "reduced S5"},
    {&Observations::S6, "reduced S6"},
}};

} // namespace

std::optional<ReductionProblem> reductionProblem(const DistanceReduction& reduction)
{
    using Part = ReductionProblem::Part;
    if (!reduction.toProjectionPlane)
        return std::nullopt;
    if (const auto reason = problemOf(reduction.meanHeight, -largestHeight, largestHeight))
        return ReductionProblem{Part::MeanHeight, *reason};
    if (const auto reason = problemOf(reduction.planeHeight, -largestHeight, largestHeight))
        return ReductionProblem{Part::PlaneHeight, *reason};
    if (reduction.gaussCorrection) {
        if (const auto reason = problemOf(reduction.yConstant, 0.0, largestYConstant))
            return ReductionProblem{Part::YConstant, *reason};
    }
    return std::nullopt;
}

double reductionFactor(const DistanceReduction& reduction, double yFrom, double yTo)
{
    if (!reduction.toProjectionPlane)
        return 1.0;
    const Site atH{stage, "k_H"};
    const double kH = finite(1.0 + finite(reduction.planeHeight - reduction.meanHeight, atH) / earthRadius, atH);
    if (!reduction.gaussCorrection)
        return kH;

    // A Y constant that does not fit the Y (500000 for Y that carry their
    // zone number) puts the points thousands of kilometres from the meridian
    // and multiplies the sides: refused rather than adjusted.
    const Site atMeridian{stage, "y_m"};
    for (const double y : {yFrom, yTo}) {
        if (!(std::fabs(y - reduction.yConstant) <= largestMeridianDistance))
            fail(atMeridian, Fault::InvalidOperation);
    }
    const Site atG{stage, "k_G"};
    const double yMean =
        finite(finite(yFrom - reduction.yConstant, atG) + finite(yTo - reduction.yConstant, atG), atG) / 2.0;
    const double dy = finite(yTo - yFrom, atG);
    constexpr double RR = earthRadius * earthRadius;
    const double kG =
        finite(1.0 + finite(yMean * yMean, atG) / (2.0 * RR) + finite(dy * dy, atG) / (24.0 * RR), atG);
    return finite(kH * kG, atG);
}

ReducedSides reduceSides(const Observations& measured, const DistanceReduction& reduction,
                         std::optional<double> figureMeanHeight)
{
    ReducedSides reduced{measured, {1, 1, 1, 1, 1}, {}, 0.0};
    if (!reduction.toProjectionPlane)
        return reduced;

    DistanceReduction used = reduction;
    if (figureMeanHeight)
        used.meanHeight = *figureMeanHeight;
    if (const auto problem = reductionProblem(used))
        fail(Site{stage, nameOf(problem->part)}, Fault::InvalidOperation);

    // the eastings of B and D, needed by the Gauss term only
    double yB = 0.0;
    double yD = 0.0;
    if (used.gaussCorrection) {
        // the control points' distance from the meridian is judged before
        // the first adjustment, so that its fault is the one reported
        reductionFactor(used, measured.Ya, measured.Yc);
        Observations firstPass = measured;
        AdjustmentResult placed;
        adjust(firstPass, placed);
        yB = placed.yp1;
        yD = placed.yp2;
    }
    // the ends of S1 A-B, S2 B-C, S4 C-D, S5 D-A, S6 B-D
    const std::array<std::array<double, 2>, 5> ends{{
        {measured.Ya, yB},
        {yB, measured.Yc},
        {measured.Yc, yD},
        {yD, measured.Ya},
        {yB, yD},
    }};

    double factorSum = 0.0;
    for (std::size_t i = 0; i < reducedSides.size(); ++i) {
        const Site site{stage, reducedSides[i].name};
        const double side = measured.*reducedSides[i].side;
        const double factor = reductionFactor(used, ends[i][0], ends[i][1]);
        const double value = finite(side * factor, site);
        reduced.observations.*reducedSides[i].side = value;
        reduced.factors[i] = factor;
        reduced.changesMm[i] = finite((value - side) * 1000.0, site);
        factorSum += factor;
    }
    reduced.meanPpm = finite((factorSum / 5.0 - 1.0) * 1e6, Site{stage, "mean factor"});
    return reduced;
}

std::optional<double> misclosureScalePpm(const AdjustmentTerms& terms, float w)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < terms.measured.size(); ++i)
        sum += terms.coefficients[i] * terms.measured[i];
    if (!std::isfinite(sum) || sum == 0.0)
        return std::nullopt;
    const double ppm = -static_cast<double>(w) / sum * 1e6;
    if (!std::isfinite(ppm))
        return std::nullopt;
    return ppm;
}

} // namespace korvane
