#include "adjustment.h"
#include "checked_networks.h"
#include "distance_reduction.h"
#include "figure_check.h"
#include "grid_networks.h"
#include "network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace korvane {
namespace {

using namespace testing; // the named tolerances and the fixtures

struct Computed {
    Observations adjusted;
    AdjustmentResult result;
    AdjustmentTerms terms;
    std::optional<double> k;
};

Computed compute(const Observations& entered)
{
    Computed c{entered, {}, {}, {}};
    adjust(c.adjusted, c.result, {}, &c.terms);
    c.k = misclosureScalePpm(c.terms, c.result.w);
    return c;
}

// The reduced sides were worked by hand in 40-digit decimal arithmetic with
// R = 6 371 000 m.
TEST(DistanceReduction, SidesAgainstValuesWorkedByHand)
{
    const struct {
        const char* name;
        DistanceReduction reduction;
        double side, yFrom, yTo, reduced;
    } cases[] = {
        // 45 km west of the meridian, 500 m high: -78.48 + 24.95 ppm
        {"handWorkedSide", {true, 500, 0, true, 38500000}, 1000, 38454700, 38455300, 999.9464625848058},
        {"thatSideEastOfTheMeridian", {true, 500, 0, true, 38500000}, 1000, 38545300, 38544700, 999.9464625848058},
        {"pureHeight", {true, 1200, 150, false, 38500000}, 1234.5678, 0, 1e9, 1234.364331754827},
        {"planeAboveTheSite", {true, 200, 350, false, 0}, 1000, 0, 0, 1000.023544184586},
        {"gaussTermAlone", {true, 0, 0, true, 500000}, 800, 619600, 620400, 800.1419086543124},
        // dy^2 / 24R^2 adds 1.03 mm to a 10 km side running east-west
        {"longEastWestSide", {true, 0, 0, true, 500000}, 10000, 450000, 460000, 10000.25047441702},
        {"longNorthSouthSide", {true, 0, 0, true, 500000}, 10000, 455000, 455000, 10000.24944788253},
        {"off", noReduction, 1234.5678, 38454700, 38455300, 1234.5678},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(c.side * reductionFactor(c.reduction, c.yFrom, c.yTo), c.reduced, oneNanometre) << c.name;
}

TEST(DistanceReduction, RefusesWhatNoSurveyHas)
{
    using enum ReductionProblem::Part;
    using enum ReductionProblem::Reason;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        DistanceReduction reduction;
        std::optional<ReductionProblem> problem;
    } cases[] = {
        {"offWhateverItHolds", {false, nan, 1e9, true, -1}, std::nullopt},
        {"allAtTheirBounds", {true, -10000, 10000, true, 120500000}, std::nullopt},
        {"yCountedFromTheMeridian", {true, 10000, -10000, true, 0}, std::nullopt},
        {"constantUnusedWithoutGauss", {true, 600, 0, false, nan}, std::nullopt},
        {"meanHeightAbove", {true, 10000.5, 0, false, 0}, ReductionProblem{MeanHeight, OutOfRange}},
        {"meanHeightBelow", {true, -10001, 0, false, 0}, ReductionProblem{MeanHeight, OutOfRange}},
        {"planeHeightInfinite", {true, 0, -HUGE_VAL, false, 0}, ReductionProblem{PlaneHeight, NotANumber}},
        {"negativeConstant", {true, 0, 0, true, -500000}, ReductionProblem{YConstant, OutOfRange}},
        {"constantAbove", {true, 0, 0, true, 120500001}, ReductionProblem{YConstant, OutOfRange}},
        {"constantNotANumber", {true, 0, 0, true, nan}, ReductionProblem{YConstant, NotANumber}},
        {"meanHeightNamedFirst", {true, nan, 2e4, true, nan}, ReductionProblem{MeanHeight, NotANumber}},
        {"planeHeightBeforeConstant", {true, 0, 2e4, true, -1}, ReductionProblem{PlaneHeight, OutOfRange}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reductionProblem(c.reduction), c.problem) << c.name;
}

TEST(DistanceReduction, OffLeavesTheAdjustmentBitForBit)
{
    for (const CheckedNetwork& network : checkedNetworks()) {
        SCOPED_TRACE(network.name);
        const ReducedSides reduced = reduceSides(network.measured, noReduction, 600.0);
        EXPECT_EQ(std::memcmp(&reduced.observations, &network.measured, sizeof(Observations)), 0);
        EXPECT_EQ(reduced.meanPpm, 0.0);
        const Computed direct = compute(network.measured), viaReduction = compute(reduced.observations);
        EXPECT_EQ(std::memcmp(&direct.result, &viaReduction.result, sizeof(AdjustmentResult)), 0);
        EXPECT_EQ(std::memcmp(&direct.adjusted, &viaReduction.adjusted, sizeof(Observations)), 0);
    }
}

// As measured the figure is beyond the limit with a scale near -69 ppm;
// reduced it passes, and B and D agree with the independent reduction and
// rigorous adjustment to the printed millimetre.
TEST(DistanceReduction, GroundDistancesOnTheNationalGrid)
{
    const GridFigure& figure = groundDistancesOnTheNationalGrid();
    const Computed unreduced = compute(figure.measured);
    EXPECT_FALSE(checkMisclosure(unreduced.terms, unreduced.result.w, defaultAccuracy).withinLimit);
    EXPECT_NEAR(unreduced.k.value(), -69.0, 1.0);

    const ReducedSides reduced = reduceSides(figure.measured, figure.reduction);
    EXPECT_NEAR(reduced.meanPpm, figure.meanPpm, 0.0001);
    const Observations& o = reduced.observations;
    const double sides[] = {o.S1, o.S2, o.S4, o.S5, o.S6};
    const double typed[] = {figure.measured.S1, figure.measured.S2, figure.measured.S4, figure.measured.S5,
                            figure.measured.S6};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(sides[i], figure.reducedSides[i], oneMicrometre) << i;
        EXPECT_NEAR(reduced.changesMm[i], (figure.reducedSides[i] - typed[i]) * 1000.0, 0.001) << i;
    }
    EXPECT_TRUE(o.Xa == figure.measured.Xa && o.Ya == figure.measured.Ya && o.Yc == figure.measured.Yc);

    const Computed c = compute(o);
    EXPECT_TRUE(checkMisclosure(c.terms, c.result.w, defaultAccuracy).withinLimit);
    EXPECT_NEAR(c.k.value(), 0.0, 1.0);
    const auto printed = [](double metres) { return std::round(metres * 1000.0); };
    EXPECT_EQ(printed(c.result.xp1), printed(figure.xB));
    EXPECT_EQ(printed(c.result.yp1), printed(figure.yB));
    EXPECT_EQ(printed(c.result.xp2), printed(figure.xD));
    EXPECT_EQ(printed(c.result.yp2), printed(figure.yD));

    // the figure's own mean height stands in for the setting's
    DistanceReduction atSeaLevel = figure.reduction;
    atSeaLevel.meanHeight = 0.0;
    EXPECT_EQ(reduceSides(figure.measured, atSeaLevel, 600.0).observations.S6, o.S6);
}

// One pass is enough: factors from the B and D of the reduced figure differ
// from the first pass's by less than 0.01 ppm, even 300 km from the meridian
// or with a 5 cm blunder.
TEST(DistanceReduction, ASecondPassMovesNoFactorByAHundredthPpm)
{
    const GridFigure& grid = groundDistancesOnTheNationalGrid();
    Observations farOut = grid.measured, blunder = grid.measured;
    farOut.Ya -= 255000;
    farOut.Yc -= 255000;
    blunder.S6 += 0.05;
    for (const Observations& measured : {grid.measured, farOut, blunder}) {
        const ReducedSides first = reduceSides(measured, grid.reduction);
        const Computed second = compute(first.observations);
        const double yA = measured.Ya, yB = second.result.yp1, yC = measured.Yc, yD = second.result.yp2;
        const double ends[5][2] = {{yA, yB}, {yB, yC}, {yC, yD}, {yD, yA}, {yB, yD}};
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(reductionFactor(grid.reduction, ends[i][0], ends[i][1]), first.factors[i], 0.01e-6);
    }
}

TEST(DistanceReduction, FailuresNameWhatFailed)
{
    const GridFigure& grid = groundDistancesOnTheNationalGrid();
    Observations noTriangle = grid.measured, huge = grid.measured;
    noTriangle.S2 = 10.0;
    huge.S1 = 1.7e308;
    const auto faultOf = [](const Observations& measured, const DistanceReduction& reduction,
                            std::optional<double> figureHeight = {}) {
        try {
            reduceSides(measured, reduction, figureHeight);
        } catch (const AdjustmentError& e) {
            EXPECT_EQ(e.stage(), Stage::Adjustment);
            return std::pair{e.fault(), e.quantity()};
        }
        return std::pair{Fault::InvalidOperation, std::string("no fault")};
    };
    using Expected = std::pair<Fault, std::string>;
    EXPECT_EQ(faultOf(grid.measured, grid.reduction, 12000.0), Expected(Fault::InvalidOperation, "H_m"));
    EXPECT_EQ(faultOf(grid.measured, {true, 0, 0, true, -1}), Expected(Fault::InvalidOperation, "Y constant"));
    // the Y carry the zone number 38 and lie 45 km west of its meridian
    EXPECT_EQ(faultOf(grid.measured, {true, 600, 0, true, 500000}), Expected(Fault::InvalidOperation, "y_m"))
        << "the constant without its zone";
    EXPECT_EQ(faultOf(grid.measured, {true, 600, 0, true, 38050000}), Expected(Fault::InvalidOperation, "y_m"))
        << "404 km east of the meridian";
    EXPECT_EQ(faultOf(grid.measured, {true, 600, 0, true, 38060000}).second, "no fault") << "395 km east";
    EXPECT_EQ(faultOf(noTriangle, {true, 600, 0, true, 500000}), Expected(Fault::InvalidOperation, "y_m"))
        << "judged before the first adjustment";
    EXPECT_EQ(faultOf(noTriangle, grid.reduction), Expected(Fault::NoTriangle, "angleABC")) << "first adjustment";
    EXPECT_EQ(faultOf(huge, {true, -10000, 10000, false, 0}), Expected(Fault::Overflow, "reduced S1"));
    // without the Gauss term no first adjustment is needed
    EXPECT_NO_THROW(reduceSides(noTriangle, {true, 600, 0, false, 0}));
}

// k against figures of a known common scale: exact figures whose sides (S3
// unchanged) were made longer by a factor, and the worked example's
// independently computed -7.24 ppm moved by the factor's own.
TEST(MisclosureScale, AgainstFiguresOfAKnownScale)
{
    const Network field{{3521.418, 4210.735}, {4180.256, 4705.113}, {3802.901, 5395.280}, {2987.664, 4861.052}};
    const Observations worked = checkedNetworks()[0].measured;
    const struct {
        const char* name;
        Observations sides;
        double scalePpm, k;
    } cases[] = {
        {"fiftyPpmLong", field.exactObservations(), 50, -50},
        {"eightyPpmShort", field.exactObservations(), -80, 80},
        {"workedExample", worked, 0, -7.24},
        {"workedExampleTenPpmLong", worked, 10, -17.24},
        {"diagonalFiveCentimetresLong", checkedNetworks()[1].measured, 0, 22.91},
    };
    for (const auto& c : cases) {
        Observations o = c.sides;
        for (double* side : {&o.S1, &o.S2, &o.S4, &o.S5, &o.S6})
            *side *= 1.0 + c.scalePpm * 1e-6;
        EXPECT_NEAR(compute(o).k.value(), c.k, 0.005) << c.name;
    }
    AdjustmentTerms none;
    EXPECT_EQ(misclosureScalePpm(none, 1.0f), std::nullopt) << "no scale changes w";
    none.measured = {1, 0, 0, 0, 0};
    none.coefficients = {1e-303, 0, 0, 0, 0};
    EXPECT_EQ(misclosureScalePpm(none, 1.0f), std::nullopt) << "k beyond the double range";
}

} // namespace
} // namespace korvane
