#include "adjustment.h"

#include "checked_arithmetic.h"
#include "condition_adjustment.h"
#include "coordinates.h"
#include "known_side.h"
#include "notify.h"
#include "point_precision.h"

namespace korvane {

void adjust(Observations& observations, AdjustmentResult& result, const MilestoneListener& listener,
            AdjustmentTerms* terms)
{
    const double azimuthAC = computeKnownSide(observations, result);
    notify(listener, Milestone::KnownSide);
    // A and C in one place: S3 is shown as the zero it is, and no triangle
    // of the adjustment can stand on it
    if (result.S3 == 0.0)
        fail(Site{Stage::Adjustment, "S3", Triangle::ABC}, Fault::CoincidentControlPoints);

    if (terms)
        terms->measured = {observations.S1, observations.S2, observations.S4, observations.S5, observations.S6};
    const ConditionCoefficients k = adjustSides(observations, result, listener, terms);
    const Placement placed = placePoints(observations, result, azimuthAC, listener);

    auto difference = [](double to, double from, Stage stage, const char* name) {
        return finite(to - from, Site{stage, name});
    };
    const PointGeometry b{difference(result.xp1, observations.Xa, Stage::PrecisionB, "dX"),
                          difference(result.yp1, observations.Ya, Stage::PrecisionB, "dY"), placed.azimuthAB,
                          placed.angleABC, k.hB, k.a1, k.a2, MeasuredSide::S1, MeasuredSide::S2};
    const AdjustmentTerms::WeightTerms weightB = computePointPrecision(b, k.aa, result.ms, Stage::PrecisionB, result.B);
    if (terms)
        terms->B = weightB;
    notify(listener, Milestone::PrecisionB);

    const PointGeometry d{difference(result.xp2, observations.Xa, Stage::PrecisionD, "dX"),
                          difference(result.yp2, observations.Ya, Stage::PrecisionD, "dY"), placed.azimuthAD,
                          placed.angleADC, -k.hD, k.a5, k.a4, MeasuredSide::S5, MeasuredSide::S4};
    const AdjustmentTerms::WeightTerms weightD = computePointPrecision(d, k.aa, result.ms, Stage::PrecisionD, result.D);
    if (terms)
        terms->D = weightD;
    notify(listener, Milestone::PrecisionD);
}

} // namespace korvane
