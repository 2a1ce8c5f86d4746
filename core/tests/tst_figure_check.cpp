#include "adjustment.h"
#include "checked_networks.h"
#include "figure_check.h"
#include "network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvane {
namespace {

using namespace testing; // the named tolerances and the checked networks

// the independent values carry seven significant digits
constexpr double tenMicroarcseconds = 1e-5;

struct Computed {
    Observations adjusted;
    AdjustmentResult result;
    AdjustmentTerms terms;
};

Computed compute(const Observations& measured)
{
    Computed c{measured, {}, {}};
    adjust(c.adjusted, c.result, {}, &c.terms);
    return c;
}

TEST(MisclosureCheck, AgreesWithAnIndependentPropagationOnEveryNetwork)
{
    for (const CheckedNetwork& network : checkedNetworks()) {
        SCOPED_TRACE(network.name);
        const Computed c = compute(network.measured);
        const FigureCheck check = checkFigure(c.adjusted, c.result, c.terms, network.accuracy);

        EXPECT_NEAR(check.misclosure.standardError, network.standardError, tenMicroarcseconds);
        EXPECT_DOUBLE_EQ(check.misclosure.limit, 2.0 * check.misclosure.standardError);
        EXPECT_EQ(check.misclosure.withinLimit, network.withinLimit);
        EXPECT_EQ(check.misclosure.w, c.result.w);
        // the a-priori error of each side from its value as measured
        const double S[] = {network.measured.S1, network.measured.S2, network.measured.S4, network.measured.S5,
                            network.measured.S6};
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(check.misclosure.aPriori[i],
                        network.accuracy.constantMm + network.accuracy.ppm * S[i] * 1e-3, 1e-12);
        // wherever the figure lies, B is placed left of A->C and D right
        EXPECT_EQ(check.sideOfB, SideOfLine::Left);
        EXPECT_EQ(check.sideOfD, SideOfLine::Right);
    }
}

TEST(MisclosureCheck, CanBeJudgedAsSoonAsTheMisclosureIsStored)
{
    const CheckedNetwork& network = checkedNetworks().front();
    Observations o = network.measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    double limitWhenStored = 0.0;
    adjust(o, r,
           [&](Milestone milestone) {
               if (milestone == Milestone::Misclosure)
                   limitWhenStored = checkMisclosure(terms, r.w, network.accuracy).limit;
           },
           &terms);
    EXPECT_NEAR(limitWhenStored, 2.0 * network.standardError, 2.0 * tenMicroarcseconds);
}

TEST(MisclosureCheck, AMisclosureBeyondEveryRangeIsAnOverflowOfTheCheck)
{
    AdjustmentTerms terms;
    terms.measured = {3e38, 3e38, 3e38, 3e38, 3e38};
    terms.coefficients = {1e150, 1e150, 1e150, 1e150, 1e150};
    try {
        checkMisclosure(terms, 1.0f, defaultAccuracy);
        FAIL() << "no overflow";
    } catch (const AdjustmentError& error) {
        EXPECT_EQ(error.stage(), Stage::Check);
        EXPECT_EQ(error.fault(), Fault::Overflow);
        EXPECT_EQ(error.quantity(), "m_w");
    }
}

TEST(DistanceAccuracy, RefusesWhatNoInstrumentHas)
{
    using Part = AccuracyProblem::Part;
    using Reason = AccuracyProblem::Reason;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        DistanceAccuracy accuracy;
        std::optional<AccuracyProblem> problem;
    } cases[] = {
        {"theDefault", defaultAccuracy, std::nullopt},
        {"constantOnly", {3, 0}, std::nullopt},
        {"scaleOnly", {0, 1.5}, std::nullopt},
        {"bothAtTheirBounds", {100, 100}, std::nullopt},
        {"bothZero", {0, 0}, AccuracyProblem{Part::Both, Reason::BothZero}},
        {"negativeConstant", {-1, 2}, AccuracyProblem{Part::Constant, Reason::OutOfRange}},
        {"constantAboveItsBound", {100.5, 2}, AccuracyProblem{Part::Constant, Reason::OutOfRange}},
        {"negativeScale", {2, -0.1}, AccuracyProblem{Part::Scale, Reason::OutOfRange}},
        {"scaleAboveItsBound", {2, 1e9}, AccuracyProblem{Part::Scale, Reason::OutOfRange}},
        {"constantNotANumber", {nan, 2}, AccuracyProblem{Part::Constant, Reason::NotANumber}},
        {"scaleInfinite", {2, inf}, AccuracyProblem{Part::Scale, Reason::NotANumber}},
        {"theConstantIsNamedFirst", {-inf, -1}, AccuracyProblem{Part::Constant, Reason::NotANumber}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(accuracyProblem(c.accuracy), c.problem);
    }
}

// B and D of the worked example: the ellipses as computed by hand from its
// weight reciprocals and the cross terms of its weight functions.
TEST(ErrorEllipse, WorkedExample)
{
    const Computed c = compute(checkedNetworks().front().measured);
    const FigureCheck check = checkFigure(c.adjusted, c.result, c.terms, defaultAccuracy);
    constexpr double hundredthMillimetre = 0.005; // half the last shown digit
    constexpr double tenthDegree = 0.05;
    EXPECT_NEAR(check.B.semiMajor, 5.88, hundredthMillimetre);
    EXPECT_NEAR(check.B.semiMinor, 5.79, hundredthMillimetre);
    EXPECT_NEAR(check.B.azimuth, 17.9, tenthDegree);
    EXPECT_NEAR(check.D.semiMajor, 6.09, hundredthMillimetre);
    EXPECT_NEAR(check.D.semiMinor, 5.67, hundredthMillimetre);
    EXPECT_NEAR(check.D.azimuth, 45.2, tenthDegree);
}

TEST(ErrorEllipse, AxesHoldTheSameVarianceAsMxAndMy)
{
    for (const CheckedNetwork& network : checkedNetworks()) {
        SCOPED_TRACE(network.name);
        const Computed c = compute(network.measured);
        const FigureCheck check = checkFigure(c.adjusted, c.result, c.terms, network.accuracy);
        for (const auto& [ellipse, precision] : {std::pair{check.B, c.result.B}, std::pair{check.D, c.result.D}}) {
            const double axes = ellipse.semiMajor * ellipse.semiMajor + ellipse.semiMinor * ellipse.semiMinor;
            const double mx = precision.mx, my = precision.my;
            // mx and my are kept to seven digits, E and F are not
            EXPECT_NEAR(axes, mx * mx + my * my, 1e-6 * (mx * mx + my * my));
            EXPECT_GE(ellipse.semiMajor, ellipse.semiMinor);
            EXPECT_GE(ellipse.azimuth, 0.0);
            EXPECT_LT(ellipse.azimuth, 180.0);
        }
    }
}

// The axes of the ellipse lie along north and east when the weight functions
// have no cross term, and the azimuth of the major axis turns with the sign
// of Qxy: four quadrants of 2 phi, and the circle.
TEST(ErrorEllipse, AzimuthOfTheMajorAxisInEveryQuadrant)
{
    const struct {
        const char* name;
        float invPx, invPy;
        double fg; // with [af] = [ag] = 0, Qxy = [fg]
        double semiMajor, semiMinor, azimuth;
    } cases[] = {
        {"alongNorth", 4.0f, 1.0f, 0.0, 2.0, 1.0, 0.0},
        {"alongEast", 1.0f, 4.0f, 0.0, 2.0, 1.0, 90.0},
        {"northEast", 2.0f, 2.0f, 1.0, std::sqrt(3.0), 1.0, 45.0},
        {"northWest", 2.0f, 2.0f, -1.0, std::sqrt(3.0), 1.0, 135.0},
        // Qxx - Qyy = 2, 2 Qxy = 2: 2 phi = 45 degrees; eigenvalues 2.5 +- sqrt(2)
        {"oneEighthTurn", 3.0f, 1.0f, 1.0, std::sqrt(2.0 + std::sqrt(2.0)), std::sqrt(2.0 - std::sqrt(2.0)), 22.5},
        {"sevenEighthsTurn", 3.0f, 1.0f, -1.0, std::sqrt(2.0 + std::sqrt(2.0)), std::sqrt(2.0 - std::sqrt(2.0)),
         157.5},
        {"circle", 1.0f, 1.0f, 0.0, 1.0, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PointPrecision p;
        p.invPx = c.invPx;
        p.invPy = c.invPy;
        const ErrorEllipse e = errorEllipse(p, {c.fg, 0.0, 0.0}, 1.0, 1.0f);
        EXPECT_NEAR(e.semiMajor, c.semiMajor, 1e-12);
        EXPECT_NEAR(e.semiMinor, c.semiMinor, 1e-12);
        // degPerRad comes from the ten-decimal pi
        EXPECT_NEAR(e.azimuth, c.azimuth, tenPicodegrees * 100);
    }
}

} // namespace
} // namespace korvane
