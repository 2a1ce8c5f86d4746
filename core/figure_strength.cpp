#include "figure_strength.h"

#include "adjustment.h"
#include "checked_arithmetic.h"

#include <cmath>
#include <cstddef>

namespace korvane {

namespace {

constexpr Stage stage = Stage::Check;

constexpr std::array<MeasuredSide, 5> measuredSides{MeasuredSide::S1, MeasuredSide::S2, MeasuredSide::S4,
                                                    MeasuredSide::S5, MeasuredSide::S6};

constexpr std::array<double Observations::*, 5> sideFields{&Observations::S1, &Observations::S2, &Observations::S4,
                                                           &Observations::S5, &Observations::S6};

// a quotient that is absent where it does not exist as a finite number
std::optional<double> quotient(double numerator, double denominator)
{
    if (denominator == 0.0)
        return std::nullopt;
    const double value = numerator / denominator;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// the distance between two placings of a point, mm
std::optional<double> movedMm(double x0, double y0, double x1, double y1)
{
    const double mm = std::hypot(x1 - x0, y1 - y0) * 1000.0;
    if (!std::isfinite(mm))
        return std::nullopt;
    return mm;
}

// the largest of the five, absent unless all five are there
template <typename Value>
std::optional<LargestOfSides> largestOf(const std::array<SideReliability, 5>& sides, Value value)
{
    std::optional<LargestOfSides> largest;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const std::optional<double> v = value(sides[i]);
        if (!v)
            return std::nullopt;
        if (!largest || *v > largest->valueMm)
            largest = LargestOfSides{*v, measuredSides[i]};
    }
    return largest;
}

} // namespace

APrioriPrecision aPrioriPrecision(const AdjustmentTerms& terms, const AdjustmentTerms::WeightTerms& point,
                                  const std::array<double, 5>& sideErrorsMm)
{
    const Site site{stage, "a priori precision"};
    const auto& a = terms.coefficients;
    double af = 0.0;
    double ag = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        af = finite(af + finite(a[i] * point.f[i], site), site);
        ag = finite(ag + finite(a[i] * point.g[i], site), site);
    }
    const double afOverAa = divide(af, terms.aa, site);
    const double agOverAa = divide(ag, terms.aa, site);

    // P f and P g, weighted by m_i^2
    double xx = 0.0;
    double yy = 0.0;
    double xy = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double pf = finite(point.f[i] - finite(a[i] * afOverAa, site), site);
        const double pg = finite(point.g[i] - finite(a[i] * agOverAa, site), site);
        const double mm = finite(sideErrorsMm[i] * sideErrorsMm[i], site);
        xx = finite(xx + finite(mm * pf * pf, site), site);
        yy = finite(yy + finite(mm * pg * pg, site), site);
        xy = finite(xy + finite(mm * pf * pg, site), site);
    }
    APrioriPrecision precision;
    precision.mx = std::sqrt(xx);
    precision.my = std::sqrt(yy);
    precision.md = std::sqrt(finite(xx + yy, site));
    precision.ellipse = ellipseOf(xx, yy, xy, 1.0);
    return precision;
}

std::array<SideReliability, 5> sideReliability(const AdjustmentTerms& terms, const MisclosureCheck& misclosure)
{
    const Site site{stage, "redundancy"};
    std::array<double, 5> shares{};
    double sum = 0.0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const double term = finite(terms.coefficients[i] * misclosure.aPriori[i], site);
        shares[i] = finite(term * term, site);
        sum = finite(sum + shares[i], site);
    }
    // seconds over seconds per metre, in mm
    const double detectable = finite(detectabilityFactor * misclosure.standardError * 1000.0, site);
    const double w = static_cast<double>(misclosure.w) * 1000.0;
    std::array<SideReliability, 5> sides;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const double a = terms.coefficients[i];
        sides[i].redundancy = divide(shares[i], sum, site);
        sides[i].detectableMm = quotient(detectable, std::fabs(a));
        sides[i].explainingMm = quotient(w, a);
    }
    return sides;
}

std::optional<Displacement> blunderEffect(const Observations& entered, MeasuredSide side, double blunder,
                                          const AdjustmentResult& result)
{
    Observations blundered = entered;
    double& value = blundered.*sideFields[static_cast<std::size_t>(side)];
    value += blunder;
    if (!std::isfinite(value))
        return std::nullopt;
    AdjustmentResult moved;
    try {
        adjust(blundered, moved);
    } catch (const AdjustmentError&) {
        return std::nullopt;
    }
    const std::optional<double> onB = movedMm(result.xp1, result.yp1, moved.xp1, moved.yp1);
    const std::optional<double> onD = movedMm(result.xp2, result.yp2, moved.xp2, moved.yp2);
    if (!onB || !onD)
        return std::nullopt;
    return Displacement{*onB, *onD};
}

FigureVerdict verdictOf(bool withinLimit, bool weak)
{
    if (!withinLimit)
        return FigureVerdict::BeyondLimit;
    return weak ? FigureVerdict::Weak : FigureVerdict::Sound;
}

FigureStrength assessStrength(const Observations& adjusted, const AdjustmentResult& result,
                              const AdjustmentTerms& terms, DistanceAccuracy accuracy)
{
    FigureStrength strength;
    strength.misclosure = checkMisclosure(terms, result.w, accuracy);
    strength.B = aPrioriPrecision(terms, terms.B, strength.misclosure.aPriori);
    strength.D = aPrioriPrecision(terms, terms.D, strength.misclosure.aPriori);

    strength.sides = sideReliability(terms, strength.misclosure);
    Observations entered = adjusted;
    for (std::size_t i = 0; i < sideFields.size(); ++i)
        entered.*sideFields[i] = terms.measured[i];
    for (std::size_t i = 0; i < strength.sides.size(); ++i) {
        SideReliability& side = strength.sides[i];
        if (!side.detectableMm)
            continue;
        if (const auto moved = blunderEffect(entered, measuredSides[i], *side.detectableMm / 1000.0, result)) {
            side.effectOnBMm = moved->BMm;
            side.effectOnDMm = moved->DMm;
        }
    }
    strength.largestDetectable = largestOf(strength.sides, [](const SideReliability& s) { return s.detectableMm; });
    strength.largestEffectOnB = largestOf(strength.sides, [](const SideReliability& s) { return s.effectOnBMm; });
    strength.largestEffectOnD = largestOf(strength.sides, [](const SideReliability& s) { return s.effectOnDMm; });

    strength.angles = figureAngles(adjusted, result.S3);
    strength.verdict = verdictOf(strength.misclosure.withinLimit, strength.angles.weak);
    return strength;
}

} // namespace korvane
