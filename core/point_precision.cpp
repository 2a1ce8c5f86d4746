#include "point_precision.h"

#include "checked_arithmetic.h"
#include "constants.h"

#include <cmath>
#include <cstddef>

namespace korvane {

namespace {

float standardError(float ms, float weightReciprocal, const Site& reciprocalSite, const Site& site)
{
    if (weightReciprocal < 0.0f)
        fail(reciprocalSite, Fault::NegativeWeightReciprocal);
    return toSingle(static_cast<double>(ms) * std::sqrt(static_cast<double>(weightReciprocal)), site);
}

} // namespace

AdjustmentTerms::WeightTerms computePointPrecision(const PointGeometry& g, double aa, float ms, Stage stage,
                                                   PointPrecision& out)
{
    const Site atF{stage, "1/px"};
    const Site atG{stage, "1/py"};
    const double cosAngle = std::cos(g.angle / degPerRad);

    // change of the northing (f) and easting (g) per metre of correction of
    // the side along A->point and of the side across
    const double fAlong = finite(std::cos(g.azimuth / degPerRad) - divide(g.dY * cosAngle, g.height, atF), atF);
    const double fAcross = divide(g.dY, g.height, atF);
    const double gAlong = finite(std::sin(g.azimuth / degPerRad) + divide(g.dX * cosAngle, g.height, atG), atG);
    const double gAcross = divide(-g.dX, g.height, atG);

    const double ff = finite(fAlong * fAlong + fAcross * fAcross, atF);
    const double gg = finite(gAlong * gAlong + gAcross * gAcross, atG);
    const double af = finite(g.aAlong * fAlong + g.aAcross * fAcross, atF);
    const double ag = finite(g.aAlong * gAlong + g.aAcross * gAcross, atG);

    out.invPx = toSingle(ff - divide(finite(af * af, atF), aa, atF), atF);
    out.invPy = toSingle(gg - divide(finite(ag * ag, atG), aa, atG), atG);

    out.mx = standardError(ms, out.invPx, atF, Site{stage, "mx"});
    out.my = standardError(ms, out.invPy, atG, Site{stage, "my"});

    // from the stored single-precision mx and my
    const double mx = out.mx;
    const double my = out.my;
    out.md = toSingle(std::sqrt(mx * mx + my * my), Site{stage, "md"});

    // [fg] is bounded by the root of [ff][gg], so it is finite with them
    AdjustmentTerms::WeightTerms terms{fAlong * gAlong + fAcross * gAcross, af, ag, {}, {}};
    const auto along = static_cast<std::size_t>(g.along);
    const auto across = static_cast<std::size_t>(g.across);
    terms.f[along] = fAlong;
    terms.f[across] = fAcross;
    terms.g[along] = gAlong;
    terms.g[across] = gAcross;
    return terms;
}

} // namespace korvane
