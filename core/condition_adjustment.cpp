#include "condition_adjustment.h"

#include "checked_arithmetic.h"
#include "constants.h"
#include "notify.h"
#include "triangle.h"

#include <cmath>

namespace korvane {

namespace {

constexpr Stage stage = Stage::Adjustment;

double height(double angle, double side, const char* name, Triangle triangle)
{
    return finite(std::sin(angle / degPerRad) * side, Site{stage, name, triangle});
}

// rho over a height; a zero height is a triangle whose corners lie on a line
double over(double numerator, double h, const char* name, Triangle triangle)
{
    const Site site{stage, name, triangle};
    if (h == 0.0)
        fail(site, Fault::FlatTriangle);
    return divide(numerator, h, site);
}

} // namespace

ConditionCoefficients adjustSides(Observations& o, AdjustmentResult& r, const MilestoneListener& listener,
                                  AdjustmentTerms* terms)
{
    const NamedSide S1{o.S1, "S1"}, S2{o.S2, "S2"}, S3{r.S3, "S3"}, S4{o.S4, "S4"}, S5{o.S5, "S5"},
        S6{o.S6, "S6"};

    const double angleABC = triangleAngle(S1, S2, S3, Site{stage, "angleABC", Triangle::ABC});
    const double angleBAC = triangleAngle(S1, S3, S2, Site{stage, "angleBAC", Triangle::ABC});
    const double hB = height(angleABC, o.S1, "hB", Triangle::ABC);

    const double angleACD = triangleAngle(S3, S4, S5, Site{stage, "angleACD", Triangle::ACD});
    const double angleCAD = triangleAngle(S3, S5, S4, Site{stage, "angleCAD", Triangle::ACD});
    const double angleADC = (180.0 - angleACD) - angleCAD;
    const double hD = height(angleACD, r.S3, "hD", Triangle::ACD);

    const double angleADB = triangleAngle(S5, S6, S1, Site{stage, "angleADB", Triangle::ABD});
    const double angleBAD = triangleAngle(S1, S5, S6, Site{stage, "angleBAD", Triangle::ABD});
    const double angleABD = (180.0 - angleADB) - angleBAD;
    const double hBD = height(angleADB, o.S5, "hBD", Triangle::ABD);

    // the partial derivatives of angleBAC + angleCAD - angleBAD by the sides, "/m
    auto cosine = [](double angle) { return std::cos(angle / degPerRad); };
    ConditionCoefficients k;
    k.hB = hB;
    k.hD = hD;
    const double a1Terms = over(cosine(angleABD), hBD, "a1", Triangle::ABD) - over(cosine(angleABC), hB, "a1", Triangle::ABC);
    k.a1 = finite(finite(a1Terms, Site{stage, "a1"}) * rho, Site{stage, "a1"});
    k.a2 = over(rho, hB, "a2", Triangle::ABC);
    k.a4 = over(rho, hD, "a4", Triangle::ACD);
    const double a5Terms = over(cosine(angleADB), hBD, "a5", Triangle::ABD) - over(cosine(angleADC), hD, "a5", Triangle::ACD);
    k.a5 = finite(finite(a5Terms, Site{stage, "a5"}) * rho, Site{stage, "a5"});
    k.a6 = -over(rho, hBD, "a6", Triangle::ABD);

    const Site atAA{stage, "[aa]"};
    k.aa = finite(k.a1 * k.a1 + k.a2 * k.a2 + k.a4 * k.a4 + k.a5 * k.a5 + k.a6 * k.a6, atAA);

    if (terms) {
        terms->coefficients = {k.a1, k.a2, k.a4, k.a5, k.a6};
        terms->aa = k.aa;
    }
    r.w = toSingle(((angleCAD + angleBAC) - angleBAD) * 3600.0, Site{stage, "w"});
    notify(listener, Milestone::Misclosure);

    // K and the corrections come from the stored single-precision w
    r.K = divide(-static_cast<double>(r.w), k.aa, Site{stage, "K"});
    const double vS1 = finite(r.K * k.a1, Site{stage, "vS1"});
    const double vS2 = finite(r.K * k.a2, Site{stage, "vS2"});
    const double vS4 = finite(r.K * k.a4, Site{stage, "vS4"});
    const double vS5 = finite(r.K * k.a5, Site{stage, "vS5"});
    const double vS6 = finite(r.K * k.a6, Site{stage, "vS6"});

    if (terms)
        terms->corrections = {vS1, vS2, vS4, vS5, vS6};

    // one redundant measurement: the sum of squares is divided by 1
    const Site atMs{stage, "ms"};
    const double vv = finite(vS1 * vS1 + vS2 * vS2 + vS4 * vS4 + vS5 * vS5 + vS6 * vS6, atMs);
    r.ms = toSingle(finite(std::sqrt(vv) * 1000.0, atMs), atMs);
    notify(listener, Milestone::UnitWeightError);

    // all five sums are formed before any side is replaced, so a fault
    // leaves the measured sides whole
    const double adjustedS1 = finite(o.S1 + vS1, Site{stage, "S1"});
    const double adjustedS2 = finite(o.S2 + vS2, Site{stage, "S2"});
    const double adjustedS4 = finite(o.S4 + vS4, Site{stage, "S4"});
    const double adjustedS5 = finite(o.S5 + vS5, Site{stage, "S5"});
    const double adjustedS6 = finite(o.S6 + vS6, Site{stage, "S6"});
    o.S1 = adjustedS1;
    o.S2 = adjustedS2;
    o.S4 = adjustedS4;
    o.S5 = adjustedS5;
    o.S6 = adjustedS6;
    return k;
}

} // namespace korvane
