#include "coordinates.h"

#include "checked_arithmetic.h"
#include "constants.h"
#include "notify.h"
#include "triangle.h"

#include <cmath>

namespace korvane {

namespace {

// X = Xa + s cos t, Y = Ya + s sin t, with t clockwise from north
double northing(double azimuth, double side, double Xa, const Site& site)
{
    return finite(std::cos(azimuth / degPerRad) * side + Xa, site);
}

double easting(double azimuth, double side, double Ya, const Site& site)
{
    return finite(std::sin(azimuth / degPerRad) * side + Ya, site);
}

} // namespace

Placement placePoints(const Observations& o, AdjustmentResult& r, double azimuthAC,
                      const MilestoneListener& listener)
{
    // the angles anew from the adjusted sides
    const NamedSide S1{o.S1, "S1"}, S2{o.S2, "S2"}, S3{r.S3, "S3"}, S4{o.S4, "S4"}, S5{o.S5, "S5"};
    Placement p;
    p.angleABC = triangleAngle(S1, S2, S3, Site{Stage::PointB, "angleABC", Triangle::ABC});
    const double angleBAC = triangleAngle(S1, S3, S2, Site{Stage::PointB, "angleBAC", Triangle::ABC});
    // A-C-D places D, though its angles are formed before B is stored
    const double angleACD = triangleAngle(S3, S4, S5, Site{Stage::PointD, "angleACD", Triangle::ACD});
    const double angleCAD = triangleAngle(S3, S5, S4, Site{Stage::PointD, "angleCAD", Triangle::ACD});
    p.angleADC = (180.0 - angleACD) - angleCAD;

    p.azimuthAB = azimuthAC - angleBAC;
    if (p.azimuthAB < 0.0)
        p.azimuthAB += 360.0;
    r.xp1 = northing(p.azimuthAB, o.S1, o.Xa, Site{Stage::PointB, "xp1"});
    r.yp1 = easting(p.azimuthAB, o.S1, o.Ya, Site{Stage::PointB, "yp1"});
    notify(listener, Milestone::PointB);

    p.azimuthAD = azimuthAC + angleCAD;
    if (p.azimuthAD >= 360.0)
        p.azimuthAD -= 360.0;
    r.xp2 = northing(p.azimuthAD, o.S5, o.Xa, Site{Stage::PointD, "xp2"});
    r.yp2 = easting(p.azimuthAD, o.S5, o.Ya, Site{Stage::PointD, "yp2"});
    notify(listener, Milestone::PointD);
    return p;
}

} // namespace korvane
