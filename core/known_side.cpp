#include "known_side.h"

#include "checked_arithmetic.h"
#include "constants.h"

#include <cmath>

namespace korvane {

namespace {

// The azimuth through the arcsine of dY / S3, put into its quadrant by the
// signs of the differences. The axis cases are exact whole numbers.
double azimuthOf(double dXAC, double dYAC, double S3)
{
    if (dXAC == 0.0)
        return dYAC > 0.0 ? 90.0 : 270.0; // 270 also when A and C coincide
    if (dYAC == 0.0)
        return dXAC < 0.0 ? 180.0 : 0.0;

    const double t = divide(dYAC, S3, Site{Stage::KnownSide, "azimuthAC"});
    const double cosine = std::sqrt(1.0 - t * t); // |t| <= 1 since S3 >= |dYAC|
    // A northing difference so small beside the easting difference that t is
    // exactly +-1: the arcsine is +-90 degrees, where t / 0 would fail.
    double a = cosine == 0.0 ? std::copysign(90.0, t) : std::atan(t / cosine) * degPerRad;
    if (dXAC < 0.0)
        a = 180.0 - a;
    if (dXAC > 0.0 && dYAC < 0.0)
        a = a + 360.0;
    return a;
}

} // namespace

double computeKnownSide(const Observations& observations, AdjustmentResult& result)
{
    const double dXAC = finite(observations.Xc - observations.Xa, Site{Stage::KnownSide, "Xc - Xa"});
    const double dYAC = finite(observations.Yc - observations.Ya, Site{Stage::KnownSide, "Yc - Ya"});
    const Site atS3{Stage::KnownSide, "S3"};
    result.S3 = squareRoot(finite(finite(dXAC * dXAC, atS3) + finite(dYAC * dYAC, atS3), atS3), atS3);
    return azimuthOf(dXAC, dYAC, result.S3);
}

} // namespace korvane
