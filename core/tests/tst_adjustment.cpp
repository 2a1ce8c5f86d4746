#include "adjustment.h"
#include "checked_arithmetic.h"
#include "constants.h"
#include "condition_adjustment.h"
#include "coordinates.h"
#include "known_side.h"
#include "point_precision.h"
#include "network.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace korvane {
namespace {

using testing::Network;
using namespace testing; // the named tolerances

// A realistic rhombus: A-C about 1.2 km east-north-east, B north of it, D south.
const Network field{{3521.418, 4210.735}, {4180.256, 4705.113}, {3802.901, 5395.280}, {2987.664, 4861.052}};

// Observations of `field` with a few millimetres of error on every side.
Observations measuredField()
{
    Observations o = field.exactObservations();
    o.S1 += 0.012;
    o.S2 -= 0.007;
    o.S4 += 0.004;
    o.S5 -= 0.009;
    o.S6 += 0.015;
    return o;
}

// The misclosure in seconds, from angles formed independently by acos.
double independentMisclosure(const Observations& o, double S3)
{
    auto angle = [](double p, double q, double r) {
        return std::acos((p * p + q * q - r * r) / (2 * p * q)) * 180.0 / std::acos(-1.0);
    };
    const double bac = angle(o.S1, S3, o.S2);
    const double cad = angle(S3, o.S5, o.S4);
    const double bad = angle(o.S1, o.S5, o.S6);
    return (bac + cad - bad) * 3600.0;
}

TEST(KnownSide, AzimuthInEveryQuadrantAndOnTheAxes)
{
    const struct {
        const char* name;
        double Xc, Yc, S3, azimuth;
    } cases[] = {
        {"east", 0, 100, 100, 90},
        {"west", 0, -100, 100, 270},
        {"south", -100, 0, 100, 180},
        {"north", 100, 0, 100, 0},
        // degPerRad comes from the ten-decimal pi, so 45 is not quite 45
        {"northeast", 100, 100, std::sqrt(20000.0), 45.0000000013},
        {"southeast", -100, 100, std::sqrt(20000.0), 134.9999999987},
        {"southwest", -100, -100, std::sqrt(20000.0), 225.0000000013},
        {"northwest", 100, -100, std::sqrt(20000.0), 314.9999999987},
        // dX so small beside dY that dY / S3 is exactly 1: the arcsine is 90
        {"nearlyEast", 1e-9, 1000, 1000, 90},
        {"nearlyWest", -1e-9, -1000, 1000, 270},
        {"coincident", 0, 0, 0, 270},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Observations o;
        o.Xc = c.Xc;
        o.Yc = c.Yc;
        AdjustmentResult r;
        const double azimuth = computeKnownSide(o, r);
        EXPECT_DOUBLE_EQ(r.S3, c.S3);
        EXPECT_NEAR(azimuth, c.azimuth, tenPicodegrees);
        EXPECT_GE(azimuth, 0.0);
        EXPECT_LT(azimuth, 360.0);
    }
}

TEST(Adjustment, ConsistentSidesNeedNoCorrection)
{
    Observations o = field.exactObservations();
    const Observations measured = o;
    AdjustmentResult r;
    adjust(o, r);

    // The ten-decimal pi leaves a trace: an obtuse angle is 180 degrees plus
    // a scaled arctangent, 180 x 3e-11 degrees off, some 2e-5 seconds.
    EXPECT_NEAR(r.w, 0.0f, tenthMilliarcsecond);
    // K is -w / [aa], with [aa] near 1e5 (seconds per metre) squared
    constexpr double noCorrelate = 1e-9;
    EXPECT_NEAR(r.K, 0.0, noCorrelate);
    EXPECT_NEAR(r.ms, 0.0f, tenthMicrometreInMillimetres);
    // the adjusted sides and coordinates are the exact ones
    for (double Observations::*side : {&Observations::S1, &Observations::S2, &Observations::S4,
                                       &Observations::S5, &Observations::S6})
        EXPECT_NEAR(o.*side, measured.*side, oneMicrometre);
    EXPECT_NEAR(r.xp1, field.B.x, oneMicrometre);
    EXPECT_NEAR(r.yp1, field.B.y, oneMicrometre);
    EXPECT_NEAR(r.xp2, field.D.x, oneMicrometre);
    EXPECT_NEAR(r.yp2, field.D.y, oneMicrometre);
}

TEST(Adjustment, KComesFromTheSinglePrecisionMisclosure)
{
    Observations o = measuredField();
    const Observations measured = o;
    AdjustmentResult r;
    computeKnownSide(o, r);
    const ConditionCoefficients k = adjustSides(o, r, {});

    const double wDouble = independentMisclosure(measured, r.S3);
    EXPECT_NEAR(r.w, wDouble, tenthMilliarcsecond);
    ASSERT_NE(static_cast<double>(r.w), wDouble) << "pick sides whose w is not a float";
    // the normal equation K [aa] + w = 0 holds with the stored float w, to
    // the last digits of a double
    constexpr double doubleRoundOff = 1e-12;
    EXPECT_NEAR(r.K * k.aa, -static_cast<double>(r.w), doubleRoundOff * std::abs(r.w));
}

// 3-4-5 triangles on both sides of A-C: right angles at B and at D, and every
// other angle of the three triangles known exactly.
const Network kite{{0, 0}, {2.4, 1.8}, {0, 5}, {-2.4, 1.8}};

// A coefficient is the change of the angles B-A-C + C-A-D - B-A-D, in
// seconds, per metre of its side. On the kite the law of cosines,
// differentiated by hand, gives per metre: d(BAC)/dS1 = 0 and d(BAC)/dS2 =
// 1/3 (the right angle at B), d(CAD)/dS5 = 0 and d(CAD)/dS4 = 1/3 (at D), and
// in A-B-D (sin BAD = 0.96) d(BAD)/dS1 = d(BAD)/dS5 = -4/9 and d(BAD)/dS6 =
// 5/9; a radian is 206265 seconds.
TEST(Adjustment, ConditionCoefficientsOfTheKiteAreTheHandWorkedOnes)
{
    Observations o = kite.exactObservations();
    AdjustmentResult r;
    computeKnownSide(o, r);
    const ConditionCoefficients k = adjustSides(o, r, {});
    constexpr double secondsPerRadian = 206265;
    // far finer than the 1e-6 by which 3600 degPerRad differs from 206265
    constexpr double relativeTolerance = 1e-9;
    const struct {
        const char* name;
        double value;
        double byHand;
    } cases[] = {
        {"hB", k.hB, 3.0},
        {"hD", k.hD, 3.0},
        {"a1", k.a1, secondsPerRadian * 4 / 9},   {"a2", k.a2, secondsPerRadian / 3},
        {"a4", k.a4, secondsPerRadian / 3},       {"a5", k.a5, secondsPerRadian * 4 / 9},
        {"a6", k.a6, -secondsPerRadian * 5 / 9},
        {"[aa]", k.aa, secondsPerRadian * secondsPerRadian * 25 / 27},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(c.value, c.byHand, relativeTolerance * std::abs(c.byHand)) << c.name;

    // the right angles at B and D are solved as 90 degrees, not divided by zero
    Observations exact = kite.exactObservations();
    adjust(exact, r);
    EXPECT_NEAR(r.xp1, kite.B.x, oneNanometre);
    EXPECT_NEAR(r.yp1, kite.B.y, oneNanometre);
    EXPECT_NEAR(r.xp2, kite.D.x, oneNanometre);
    EXPECT_NEAR(r.yp2, kite.D.y, oneNanometre);
}

TEST(Adjustment, ListenerHearsEachGroupInOrder)
{
    Observations o = measuredField();
    AdjustmentResult r;
    std::vector<Milestone> heard;
    adjust(o, r, [&](Milestone m) { heard.push_back(m); });
    const std::vector<Milestone> expected{Milestone::KnownSide, Milestone::Misclosure, Milestone::UnitWeightError,
                                          Milestone::PointB,    Milestone::PointD,     Milestone::PrecisionB,
                                          Milestone::PrecisionD};
    EXPECT_EQ(heard, expected);
    // md from the stored single-precision mx and my
    const double mx = r.B.mx, my = r.B.my;
    EXPECT_EQ(r.B.md, static_cast<float>(std::sqrt(mx * mx + my * my)));
}

TEST(Adjustment, SymmetricRhombusOnAnEastwardBase)
{
    // A-C due east: B north of the base, D south, at equal eastings
    const Network rhombus{{1000, 1000}, {1300, 1400}, {1000, 1800}, {700, 1400}};
    Observations o = rhombus.exactObservations();
    AdjustmentResult r;
    adjust(o, r);
    EXPECT_GT(r.xp1, 1000.0);
    EXPECT_LT(r.xp2, 1000.0);
    EXPECT_NEAR(r.yp1, r.yp2, tenthMicrometre);
    EXPECT_NEAR(r.B.invPx, r.D.invPx, weightReciprocalUnitsIn6thDecimal);
    EXPECT_NEAR(r.B.invPy, r.D.invPy, weightReciprocalUnitsIn6thDecimal);
}

TEST(Adjustment, AzimuthsWrapAroundNorth)
{
    // A-C points just east of north, so azimuth A->B goes below 0 and wraps;
    // and just west of north, so azimuth A->D passes 360 and wraps.
    for (const Network& n : {Network{{0, 0}, {400, -300}, {800, 10}, {400, 300}},
                             Network{{0, 0}, {400, -300}, {800, -10}, {400, 300}}}) {
        Observations o = n.exactObservations();
        AdjustmentResult r;
        adjust(o, r);
        EXPECT_NEAR(r.xp1, n.B.x, oneMicrometre);
        EXPECT_NEAR(r.yp1, n.B.y, oneMicrometre);
        EXPECT_NEAR(r.xp2, n.D.x, oneMicrometre);
        EXPECT_NEAR(r.yp2, n.D.y, oneMicrometre);
    }
}

// ---- faults ---------------------------------------------------------------

struct FaultRun {
    Observations o;
    AdjustmentResult r;
    std::vector<Milestone> heard;
};

// Runs the adjustment (or, with `placeOnly`, the placement of B and D from
// the sides as they stand) over a result holding a previous run's values and
// returns the error it raised.
AdjustmentError runExpectingFault(FaultRun& run, bool placeOnly = false)
{
    run.r.xp1 = run.r.w = run.r.ms = run.r.B.md = 7.0f;
    const auto listener = [&](Milestone m) { run.heard.push_back(m); };
    try {
        if (placeOnly)
            placePoints(run.o, run.r, computeKnownSide(run.o, run.r), listener);
        else
            adjust(run.o, run.r, listener);
    } catch (const AdjustmentError& e) {
        return e;
    }
    ADD_FAILURE() << "no fault raised";
    return AdjustmentError(Stage::Entry, Fault::InvalidOperation, "");
}

TEST(AdjustmentFault, CoincidentControlPointsFailInTheAdjustmentWithS3Kept)
{
    FaultRun run{measuredField(), {}, {}};
    run.o.Xc = run.o.Xa;
    run.o.Yc = run.o.Ya;
    const AdjustmentError e = runExpectingFault(run);
    EXPECT_EQ(e.fault(), Fault::CoincidentControlPoints);
    EXPECT_EQ(e.stage(), Stage::Adjustment);
    EXPECT_EQ(e.triangle(), Triangle::ABC);
    EXPECT_EQ(run.heard, std::vector<Milestone>{Milestone::KnownSide});
    EXPECT_EQ(run.r.S3, 0.0);
    EXPECT_EQ(run.r.w, 7.0f) << "w of the previous run is untouched";
    EXPECT_EQ(run.o.S1, measuredField().S1) << "sides not adjusted";
}

TEST(AdjustmentFault, EachTriangleThatCannotBeFormedIsNamed)
{
    const Observations good = measuredField();
    const struct {
        const char* name;
        double Observations::*side;
        double value;
        Fault fault;
        Triangle triangle;
        const char* quantity;
    } cases[] = {
        {"S2TooShortForABC", &Observations::S2, 10.0, Fault::NoTriangle, Triangle::ABC, "angleABC"},
        {"S4TooLongForACD", &Observations::S4, 5000.0, Fault::NoTriangle, Triangle::ACD, "angleACD"},
        {"S6TooLongForABD", &Observations::S6, 3000.0, Fault::NoTriangle, Triangle::ABD, "angleADB"},
        {"ZeroS2", &Observations::S2, 0.0, Fault::NonPositiveSide, Triangle::ABC, "S2"},
        {"ZeroS5", &Observations::S5, 0.0, Fault::NonPositiveSide, Triangle::ACD, "S5"},
        {"NegativeS6", &Observations::S6, -837.0, Fault::NonPositiveSide, Triangle::ABD, "S6"},
        {"NegativeS1", &Observations::S1, -800.0, Fault::NonPositiveSide, Triangle::ABC, "S1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultRun run{good, {}, {}};
        run.o.*c.side = c.value;
        const AdjustmentError e = runExpectingFault(run);
        EXPECT_EQ(e.fault(), c.fault);
        EXPECT_EQ(e.triangle(), c.triangle);
        EXPECT_EQ(e.quantity(), c.quantity);
        EXPECT_EQ(e.stage(), Stage::Adjustment);
        EXPECT_EQ(run.heard, std::vector<Milestone>{Milestone::KnownSide});
        EXPECT_NE(run.r.S3, 0.0);
    }
}

// Sides on a base A-C of exactly 100 m, so that a corner on the line of two
// others gives a cosine of exactly 1 or -1.
Observations onBaseOf100m(double S1, double S2, double S4, double S5, double S6)
{
    return {0, 0, 0, 100, S1, S2, S4, S5, S6};
}

// Three corners on one line (an angle of exactly 0 or 180 degrees), as
// measured or as adjusted, and adjusted sides that no longer close a
// triangle: the fault names the triangle, in the placement also the point it
// places, and nothing after it is stored.
TEST(AdjustmentFault, FlatTrianglesAsMeasuredAndAsAdjustedAreNamed)
{
    using enum Stage;
    using enum Fault;
    using enum Triangle;
    const struct {
        const char* name;
        Observations o;
        Stage stage; // PointB, PointD: the sides placed as if adjusted
        Fault fault;
        Triangle triangle;
        const char* quantity;
    } cases[] = {
        {"B between A and C", onBaseOf100m(30, 70, 60, 60, 66), Adjustment, FlatTriangle, ABC, "angleABC"},
        {"C between A and B", onBaseOf100m(150, 50, 60, 60, 66), Adjustment, FlatTriangle, ABC, "angleABC"},
        {"C between A and D", onBaseOf100m(60, 60, 20, 120, 66), Adjustment, FlatTriangle, ACD, "angleACD"},
        {"D between A and C", onBaseOf100m(60, 60, 70, 30, 66), Adjustment, FlatTriangle, ACD, "angleACD"},
        {"D between A and B", onBaseOf100m(60, 60, 90, 25, 35), Adjustment, FlatTriangle, ABD, "angleADB"},
        {"B between A and D", onBaseOf100m(60, 60, 60, 80, 20), Adjustment, FlatTriangle, ABD, "angleADB"},
        {"adjusted, B between A and C", onBaseOf100m(30, 70, 60, 60, 66), PointB, FlatTriangle, ABC, "angleABC"},
        {"adjusted, C between A and B", onBaseOf100m(150, 50, 60, 60, 66), PointB, FlatTriangle, ABC, "angleABC"},
        {"adjusted, C between A and D", onBaseOf100m(60, 60, 20, 120, 66), PointD, FlatTriangle, ACD, "angleACD"},
        {"adjusted, D between A and C", onBaseOf100m(60, 60, 70, 30, 66), PointD, FlatTriangle, ACD, "angleACD"},
        {"adjusted S2 too short for A-B-C", onBaseOf100m(60, 10, 60, 60, 66), PointB, NoTriangle, ABC, "angleABC"},
        {"adjusted S4 too short for A-C-D", onBaseOf100m(60, 60, 10, 60, 66), PointD, NoTriangle, ACD, "angleACD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultRun run{c.o, {}, {}};
        const bool measured = c.stage == Adjustment;
        const AdjustmentError e = runExpectingFault(run, !measured);
        EXPECT_EQ(e.fault(), c.fault);
        EXPECT_EQ(e.stage(), c.stage);
        EXPECT_EQ(e.triangle(), c.triangle);
        EXPECT_EQ(e.quantity(), c.quantity);
        EXPECT_EQ(run.heard, measured ? std::vector{Milestone::KnownSide} : std::vector<Milestone>{});
        EXPECT_EQ(run.r.xp1, 7.0) << "nothing of B is stored";
        EXPECT_EQ(run.o.S1, c.o.S1) << "the sides are not adjusted";
    }
}

TEST(AdjustmentFault, UnitWeightErrorBeyondSinglePrecisionOverflows)
{
    // a network of 1e40 m with a misclosure: ms in mm exceeds the float range
    const double scale = 1e37;
    Network big{{0, 0}, {1000 * scale, -600 * scale}, {2000 * scale, 0}, {1000 * scale, 700 * scale}};
    FaultRun run{big.exactObservations(), {}, {}};
    run.o.S6 *= 1.001;
    const AdjustmentError e = runExpectingFault(run);
    EXPECT_EQ(e.fault(), Fault::Overflow);
    EXPECT_EQ(e.quantity(), "ms");
    const std::vector<Milestone> expected{Milestone::KnownSide, Milestone::Misclosure};
    EXPECT_EQ(run.heard, expected);
    EXPECT_NE(run.r.w, 7.0f) << "w of this run is stored";
    EXPECT_EQ(run.r.ms, 7.0f) << "ms keeps the previous value";
    EXPECT_EQ(run.o.S6, big.exactObservations().S6 * 1.001) << "sides not adjusted";
}

TEST(AdjustmentFault, ControlCoordinatesBeyondDoubleRangeOverflow)
{
    const struct {
        const char* name;
        double Xa, Xc;
        const char* quantity;
    } cases[] = {
        {"differenceOverflows", -DBL_MAX, DBL_MAX, "Xc - Xa"},
        {"squareOverflows", 0.0, 1e200, "S3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultRun run{measuredField(), {}, {}};
        run.o.Xa = c.Xa;
        run.o.Xc = c.Xc;
        run.r.S3 = 5.0;
        const AdjustmentError e = runExpectingFault(run);
        EXPECT_EQ(e.fault(), Fault::Overflow);
        EXPECT_EQ(e.stage(), Stage::KnownSide);
        EXPECT_EQ(e.quantity(), c.quantity);
        EXPECT_TRUE(run.heard.empty());
        EXPECT_EQ(run.r.S3, 5.0);
    }
}

TEST(CheckedArithmetic, NarrowingToSingleOverflowsOnlyBeyondTheFloatRange)
{
    const Site site{Stage::Adjustment, "w"};
    EXPECT_EQ(toSingle(FLT_MAX, site), FLT_MAX);
    EXPECT_EQ(toSingle(0x1.fffffefffffffp127, site), FLT_MAX); // rounds down to the largest float
    EXPECT_EQ(toSingle(-1e-50, site), -0.0f);                  // underflow is a zero, not a fault
    for (double beyond : {0x1.ffffffp127, 1e39, -1e39, HUGE_VAL}) {
        try {
            toSingle(beyond, site);
            ADD_FAILURE() << beyond << " narrowed";
        } catch (const AdjustmentError& e) {
            EXPECT_EQ(e.fault(), Fault::Overflow);
            EXPECT_EQ(e.quantity(), "w");
        }
    }
    EXPECT_THROW(toSingle(std::nan(""), site), AdjustmentError);
}

TEST(PointPrecisionFault, NegativeWeightReciprocalStopsBeforeTheStandardErrors)
{
    // an [aa] smaller than the share of this point's sides: 1/px < 0
    const PointGeometry g{300.0, 400.0, 53.13, 70.0, 450.0, 900.0, 450.0, MeasuredSide::S1, MeasuredSide::S2};
    PointPrecision p;
    p.mx = 7.0f;
    try {
        computePointPrecision(g, 1.0, 5.0f, Stage::PrecisionD, p);
        FAIL() << "no fault raised";
    } catch (const AdjustmentError& e) {
        EXPECT_EQ(e.fault(), Fault::NegativeWeightReciprocal);
        EXPECT_EQ(e.stage(), Stage::PrecisionD);
        EXPECT_EQ(e.quantity(), "1/px");
    }
    EXPECT_LT(p.invPx, 0.0f);
    EXPECT_EQ(p.mx, 7.0f);
}

} // namespace
} // namespace korvane
