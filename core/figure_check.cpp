#include "figure_check.h"

#include "checked_arithmetic.h"
#include "constants.h"

#include <cmath>

namespace korvane {

namespace {

constexpr Stage stage = Stage::Check;

std::optional<AccuracyProblem::Reason> problemOf(double value, double largest)
{
    if (!std::isfinite(value))
        return AccuracyProblem::Reason::NotANumber;
    if (!(value >= 0.0 && value <= largest))
        return AccuracyProblem::Reason::OutOfRange;
    return std::nullopt;
}

} // namespace

std::optional<AccuracyProblem> accuracyProblem(DistanceAccuracy accuracy)
{
    using Part = AccuracyProblem::Part;
    if (const auto reason = problemOf(accuracy.constantMm, largestConstantMm))
        return AccuracyProblem{Part::Constant, *reason};
    if (const auto reason = problemOf(accuracy.ppm, largestPpm))
        return AccuracyProblem{Part::Scale, *reason};
    if (accuracy.constantMm == 0.0 && accuracy.ppm == 0.0)
        return AccuracyProblem{Part::Both, AccuracyProblem::Reason::BothZero};
    return std::nullopt;
}

MisclosureCheck checkMisclosure(const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy)
{
    MisclosureCheck check;
    check.w = w;
    const Site atMw{stage, "m_w"};
    double sum = 0.0;
    for (std::size_t i = 0; i < terms.measured.size(); ++i) {
        // mm from the side in metres: b ppm is b mm per 1000 m
        check.aPriori[i] = finite(accuracy.constantMm + accuracy.ppm * terms.measured[i] / 1000.0, atMw);
        // seconds: a_i is "/m and m_i mm
        const double term = finite(terms.coefficients[i] * check.aPriori[i] / 1000.0, atMw);
        sum = finite(sum + finite(term * term, atMw), atMw);
    }
    check.standardError = std::sqrt(sum);
    check.limit = finite(2.0 * check.standardError, Site{stage, "limit"});
    check.withinLimit = std::fabs(static_cast<double>(w)) <= check.limit;
    return check;
}

ErrorEllipse errorEllipse(const PointPrecision& precision, const AdjustmentTerms::WeightTerms& weight, double aa,
                          float ms)
{
    const Site site{stage, "Qxy"};
    const double Qxy = finite(weight.fg - divide(finite(weight.af * weight.ag, site), aa, site), site);
    return ellipseOf(precision.invPx, precision.invPy, Qxy, ms);
}

ErrorEllipse ellipseOf(double Qxx, double Qyy, double Qxy, double unitWeight)
{
    const Site atGap{stage, "ellipse gap"};
    const double difference = Qxx - Qyy;
    const double gap = std::sqrt(finite(difference * difference + finite(4.0 * Qxy * Qxy, atGap), atGap));

    ErrorEllipse ellipse;
    const double sum = Qxx + Qyy;
    ellipse.semiMajor = finite(unitWeight * std::sqrt(finite(sum + gap, Site{stage, "E"}) / 2.0), Site{stage, "E"});
    // for a very flat ellipse the difference can come out a rounding below
    // zero (the stored 1/px and 1/py are single precision, Qxy is not)
    const double minor = finite(sum - gap, Site{stage, "F"});
    ellipse.semiMinor = unitWeight * std::sqrt((minor > 0.0 ? minor : 0.0) / 2.0);

    double azimuth = std::atan2(2.0 * Qxy, difference) / 2.0 * degPerRad;
    if (azimuth < 0.0)
        azimuth += 180.0;
    ellipse.azimuth = azimuth;
    return ellipse;
}

SideOfLine sideOf(double Xp, double Yp, const Observations& o)
{
    const Site site{stage, "side of A->C"};
    // the cross product of A->C and A->P; with X north and Y east a point on
    // the left, looking from A towards C, makes it negative
    const double cross =
        finite(finite((o.Xc - o.Xa) * (Yp - o.Ya), site) - finite((o.Yc - o.Ya) * (Xp - o.Xa), site), site);
    if (cross < 0.0)
        return SideOfLine::Left;
    if (cross > 0.0)
        return SideOfLine::Right;
    return SideOfLine::OnTheLine;
}

FigureCheck checkFigure(const Observations& observations, const AdjustmentResult& result,
                        const AdjustmentTerms& terms, DistanceAccuracy accuracy)
{
    FigureCheck check;
    check.misclosure = checkMisclosure(terms, result.w, accuracy);
    check.B = errorEllipse(result.B, terms.B, terms.aa, result.ms);
    check.D = errorEllipse(result.D, terms.D, terms.aa, result.ms);
    check.sideOfB = sideOf(result.xp1, result.yp1, observations);
    check.sideOfD = sideOf(result.xp2, result.yp2, observations);
    return check;
}

} // namespace korvane
