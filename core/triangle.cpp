#include "triangle.h"

#include "constants.h"

#include <cmath>

namespace korvane {

namespace {

void requirePositive(NamedSide side, const Site& site)
{
    if (!(side.length > 0.0)) [[unlikely]]
        fail(Site{site.stage, side.name, site.triangle}, Fault::NonPositiveSide);
}

} // namespace

double triangleAngle(NamedSide p, NamedSide q, NamedSide r, const Site& site)
{
    requirePositive(p, site);
    requirePositive(q, site);
    requirePositive(r, site);

    // the adjacent squares are added first, then the opposite one subtracted
    const double adjacent = finite(finite(p.length * p.length, site) + finite(q.length * q.length, site), site);
    const double numerator = adjacent - finite(r.length * r.length, site);
    const double c = divide(numerator, finite(2.0 * p.length * q.length, site), site);
    if (c == 0.0)
        return 90.0;
    // A cosine of exactly 1 or -1 is an angle of 0 or 180 degrees: three
    // corners on one line. Its height would not tell, as the ten-decimal pi
    // leaves sin(180 degrees) near 9e-11 rather than 0.
    if (c == 1.0 || c == -1.0)
        fail(site, Fault::FlatTriangle);

    const double sineSquared = 1.0 - c * c;
    if (sineSquared < 0.0)
        fail(site, Fault::NoTriangle);
    const double s = std::sqrt(sineSquared);
    const double angle = std::atan(s / c) * degPerRad;
    return c < 0.0 ? angle + 180.0 : angle;
}

} // namespace korvane
