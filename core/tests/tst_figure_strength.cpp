#include "adjustment.h"
#include "checked_networks.h"
#include "distance_reduction.h"
#include "figure_strength.h"
#include "grid_networks.h"
#include "network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace korvane {
namespace {

using namespace testing; // the named tolerances and the fixtures

constexpr double Observations::*measuredSides[] = {&Observations::S1, &Observations::S2, &Observations::S4,
                                                    &Observations::S5, &Observations::S6};

struct Computed {
    Observations entered;
    AdjustmentResult result;
    FigureStrength strength;
};

Computed compute(const Observations& entered, DistanceAccuracy accuracy = defaultAccuracy)
{
    Observations adjusted = entered;
    AdjustmentResult result;
    AdjustmentTerms terms;
    adjust(adjusted, result, {}, &terms);
    return {entered, result, assessStrength(adjusted, result, terms, accuracy)};
}

// Rows xB, yB, xD, yD (m) and w ("), by the five sides: central differences
// of the whole compute, 1 mm either side.
std::array<std::array<double, 5>, 5> differentiate(const Observations& entered)
{
    std::array<std::array<double, 5>, 5> J{};
    for (std::size_t side = 0; side < 5; ++side) {
        auto at = [&](double offset) {
            Observations o = entered;
            o.*measuredSides[side] += offset;
            AdjustmentResult r;
            adjust(o, r);
            return std::array<double, 5>{r.xp1, r.yp1, r.xp2, r.yp2, r.w};
        };
        const auto plus = at(1e-3), minus = at(-1e-3);
        for (std::size_t row = 0; row < 5; ++row)
            J[row][side] = (plus[row] - minus[row]) / 2e-3;
    }
    return J;
}

struct Figure {
    std::string name;
    Observations entered;
    DistanceAccuracy accuracy;
};

// the checked figures, one whose sides fit exactly, and the national-grid
// one reduced
std::vector<Figure> figures()
{
    std::vector<Figure> all;
    for (const CheckedNetwork& n : checkedNetworks())
        all.push_back({n.name, n.measured, n.accuracy});
    const Network worked{{3521.418, 1204.337}, {4415.873, 1321.512}, {4497.112, 2188.650}, {3608.246, 2151.914}};
    all.push_back({"exactRhombus", worked.exactObservations(), defaultAccuracy});
    const GridFigure& grid = groundDistancesOnTheNationalGrid();
    all.push_back({"reducedOnTheNationalGrid", reduceSides(grid.measured, grid.reduction).observations, {2, 2}});
    return all;
}

// Against the whole compute differentiated numerically (J): the a-priori
// covariance of B and D is J Sigma J^T, Sigma = diag(m_i^2); r_i is side i's
// share of the variance of w; a blunder of nabla_i moves w by
// (2 + 0.8416) m_w and B and D by J nabla_i; taking Delta_i off side i
// leaves no misclosure. To 0.1 %: the compute differentiated at the measured
// sides holds the second-order terms the propagation leaves out (0.03 % on
// the long thin figure).
TEST(FigureStrength, AgainstTheWholeComputeDifferentiated)
{
    constexpr double relative = 1e-3;
    for (const Figure& figure : figures()) {
        SCOPED_TRACE(figure.name);
        const Computed c = compute(figure.entered, figure.accuracy);
        const auto J = differentiate(figure.entered);
        const auto& m = c.strength.misclosure.aPriori;
        double cov[4][4] = {};
        for (std::size_t i = 0; i < 5; ++i)
            for (std::size_t r = 0; r < 4; ++r)
                for (std::size_t s = 0; s < 4; ++s)
                    cov[r][s] += J[r][i] * J[s][i] * m[i] * m[i];
        for (const auto& [point, at] : {std::pair{c.strength.B, 0}, std::pair{c.strength.D, 2}}) {
            const double xx = cov[at][at], yy = cov[at + 1][at + 1], xy = cov[at][at + 1];
            EXPECT_NEAR(point.mx, std::sqrt(xx), relative * std::sqrt(xx));
            EXPECT_NEAR(point.my, std::sqrt(yy), relative * std::sqrt(yy));
            EXPECT_NEAR(point.md, std::sqrt(xx + yy), relative * std::sqrt(xx + yy));
            // the ellipse by its invariants and the variance along its major axis
            const double E = point.ellipse.semiMajor, F = point.ellipse.semiMinor;
            const double phi = point.ellipse.azimuth * std::numbers::pi / 180;
            const double c2 = std::cos(phi) * std::cos(phi), s2 = std::sin(phi) * std::sin(phi);
            EXPECT_NEAR(E * F, std::sqrt(xx * yy - xy * xy), relative * E * F);
            EXPECT_NEAR(E * E + F * F, xx + yy, relative * (xx + yy));
            EXPECT_NEAR(xx * c2 + 2 * xy * std::sin(phi) * std::cos(phi) + yy * s2, E * E, relative * (xx + yy));
        }
        const double mw = c.strength.misclosure.standardError;
        double shares = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            const SideReliability& side = c.strength.sides[i];
            EXPECT_NEAR(side.redundancy, std::pow(J[4][i] * m[i] / 1000 / mw, 2), 1e-5);
            shares += side.redundancy;

            Observations blundered = figure.entered;
            blundered.*measuredSides[i] += side.detectableMm.value() / 1000;
            AdjustmentResult r;
            adjust(blundered, r);
            EXPECT_NEAR(std::fabs(r.w - c.result.w), (2 + 0.8416) * mw, relative * mw);
            const double onB = std::hypot(J[0][i], J[1][i]) * side.detectableMm.value();
            const double onD = std::hypot(J[2][i], J[3][i]) * side.detectableMm.value();
            EXPECT_NEAR(side.effectOnBMm.value(), onB, relative * onB);
            EXPECT_NEAR(side.effectOnDMm.value(), onD, relative * onD);

            Observations explained = figure.entered;
            explained.*measuredSides[i] -= side.explainingMm.value() / 1000;
            adjust(explained, r);
            EXPECT_NEAR(r.w, 0.0, 0.001);
        }
        EXPECT_NEAR(shares, 1.0, 1e-12);
    }
}

// The values computed outside the program for the worked example at
// 2 mm + 2 ppm, each to half its last shown digit.
TEST(FigureStrength, WorkedExample)
{
    const FigureStrength s = compute(checkedNetworks()[0].measured).strength;
    for (const auto& [name, point, md, E, F, phi] : {std::tuple{"B", s.B, 4.88, 3.50, 3.40, 159.8},
                                                     std::tuple{"D", s.D, 4.97, 3.62, 3.40, 57.6}}) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(point.md, md, 0.005);
        EXPECT_NEAR(point.ellipse.semiMajor, E, 0.005);
        EXPECT_NEAR(point.ellipse.semiMinor, F, 0.005);
        EXPECT_NEAR(point.ellipse.azimuth, phi, 0.05);
    }
    const double detectable[] = {26.7, 25.4, 27.2, 27.8, 20.9};
    // with S6 5 cm long, the blunder each side alone would be
    const FigureStrength blunder = compute(checkedNetworks()[1].measured).strength;
    const double explaining[] = {-48.7, -46.2, -49.6, -50.5, 38.0};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(s.sides[i].detectableMm.value(), detectable[i], 0.05) << i;
        EXPECT_NEAR(blunder.sides[i].explainingMm.value(), explaining[i], 0.05) << i;
    }
    for (const auto& [largest, value, side] : {std::tuple{s.largestDetectable, 27.8, MeasuredSide::S5},
                                               std::tuple{s.largestEffectOnB, 22.0, MeasuredSide::S1},
                                               std::tuple{s.largestEffectOnD, 23.2, MeasuredSide::S5}}) {
        EXPECT_NEAR(largest.value().valueMm, value, 0.05);
        EXPECT_EQ(largest.value().side, side);
    }
    EXPECT_NEAR(s.angles.smallest.degrees, 37.8, 0.05);
    EXPECT_EQ(s.angles.smallest.triangle, FigureTriangle::ABC);
    EXPECT_EQ(s.angles.smallest.corner, Corner::A);
}

// The twelve angles against those of the placed corners by atan2 with the
// true pi, and the verdict: beyond the limit over weak over sound.
TEST(FigureStrength, AnglesAndVerdictOfEveryFigure)
{
    const std::map<std::string, FigureVerdict> notSound{
        {"diagonalFiveCentimetresLong", FigureVerdict::BeyondLimit},
        {"justBeyondTheLimit", FigureVerdict::BeyondLimit},
        {"blunderAtTwoPlusTwo", FigureVerdict::BeyondLimit},
        {"northWestBeyondTheLimit", FigureVerdict::BeyondLimit},
        {"longThinFigure", FigureVerdict::Weak},
        {"longThinWithABlunder", FigureVerdict::BeyondLimit},
    };
    // the corners of A-B-C, A-C-D, A-B-D, B-C-D as A = 0 ... D = 3
    constexpr std::size_t cornersOf[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 1, 3}, {1, 2, 3}};
    std::vector<Figure> all = figures();
    all.push_back({"longThinWithABlunder", checkedNetworks()[8].measured, defaultAccuracy});
    all.back().entered.S1 += 0.05;
    for (const Figure& figure : all) {
        SCOPED_TRACE(figure.name);
        const Computed c = compute(figure.entered, figure.accuracy);
        const auto found = notSound.find(figure.name);
        EXPECT_EQ(c.strength.verdict, found == notSound.end() ? FigureVerdict::Sound : found->second);

        const Point at[] = {{c.entered.Xa, c.entered.Ya}, {c.result.xp1, c.result.yp1},
                            {c.entered.Xc, c.entered.Yc}, {c.result.xp2, c.result.yp2}};
        double smallest = 180;
        for (const FigureAngle& angle : c.strength.angles.angles) {
            const auto corner = static_cast<std::size_t>(angle.corner);
            std::vector<Point> ends;
            for (std::size_t other : cornersOf[static_cast<std::size_t>(angle.triangle)])
                if (other != corner)
                    ends.push_back(at[other]);
            const double turn = std::atan2(ends[0].y - at[corner].y, ends[0].x - at[corner].x) -
                                std::atan2(ends[1].y - at[corner].y, ends[1].x - at[corner].x);
            const double degrees = std::acos(std::cos(turn)) * 180 / std::numbers::pi;
            EXPECT_NEAR(angle.degrees, degrees, 1e-5) << toString(angle.triangle) << " at " << toString(angle.corner);
            smallest = std::min(smallest, degrees);
        }
        EXPECT_NEAR(c.strength.angles.smallest.degrees, smallest, 1e-5);
        EXPECT_EQ(c.strength.angles.weak, smallest < 30);
    }
}

// B 1 mm off A-C, 400 m from A: a check that can catch nothing, nor compute
// the figure with a blunder in any side; every value finite, and absent
// where a figure cannot be computed.
TEST(FigureStrength, FiguresAtTheirEdges)
{
    Observations o = Network{{0, 0}, {0.001, 400}, {0, 1000}, {-600, 500}}.exactObservations();
    o.S4 += 0.002;
    o.S5 -= 0.001;
    const Computed c = compute(o);
    const FigureStrength& s = c.strength;
    EXPECT_EQ(s.verdict, FigureVerdict::Weak);
    EXPECT_EQ(s.angles.smallest.triangle, FigureTriangle::ABC);
    EXPECT_EQ(s.angles.smallest.corner, Corner::C);
    EXPECT_LT(s.angles.smallest.degrees, 0.0002);
    EXPECT_GT(s.misclosure.limit, 1e5);
    for (double value : {s.B.mx, s.B.my, s.B.ellipse.semiMajor, s.B.ellipse.azimuth, s.D.md, s.D.ellipse.semiMinor})
        EXPECT_TRUE(std::isfinite(value));
    for (const SideReliability& side : s.sides) {
        EXPECT_TRUE(std::isfinite(side.redundancy + side.detectableMm.value() + side.explainingMm.value()));
        EXPECT_FALSE(side.effectOnBMm || side.effectOnDMm);
    }
    EXPECT_TRUE(s.largestDetectable && !s.largestEffectOnB && !s.largestEffectOnD);

    // a blunder that leaves no triangle, a figure with B on the line, none
    EXPECT_EQ(blunderEffect(o, MeasuredSide::S2, 2000.0, c.result), std::nullopt);
    const Observations collinear = Network{{0, 0}, {0, 400}, {0, 1000}, {-600, 500}}.exactObservations();
    EXPECT_EQ(blunderEffect(collinear, MeasuredSide::S1, 0.0, c.result), std::nullopt);
    const Displacement none = blunderEffect(o, MeasuredSide::S4, 0.0, c.result).value();
    EXPECT_TRUE(none.BMm == 0.0 && none.DMm == 0.0);

    // a blunder is added to its side: only S2 600 m short leaves no triangle
    const Observations worked = checkedNetworks()[0].measured;
    const AdjustmentResult workedResult = compute(worked).result;
    EXPECT_TRUE(blunderEffect(worked, MeasuredSide::S2, 600.0, workedResult).has_value());
    EXPECT_FALSE(blunderEffect(worked, MeasuredSide::S2, -600.0, workedResult).has_value());

    // 3-4-5 triangles: of the equal smallest angles the first is named
    const FigureAngles kite = figureAngles({0, 0, 0, 5, 3, 4, 4, 3, 4.8}, 5);
    EXPECT_TRUE(kite.smallest.triangle == FigureTriangle::ABC && kite.smallest.corner == Corner::C);
    EXPECT_EQ(kite.angles[4].degrees, kite.smallest.degrees) << "A-C-D at C is as small";

    // B a twentieth of a degree either side of 30° off A-C, every other
    // angle above 31.6°: weak below 30° only
    for (const double degrees : {29.95, 30.05}) {
        const double turn = degrees * std::numbers::pi / 180;
        const Observations near30 =
            Network{{0, 0}, {1000 * std::sin(turn), 1000 * std::cos(turn)}, {0, 1000}, {-350, 550}}.exactObservations();
        const FigureAngles judged = figureAngles(near30, 1000);
        EXPECT_TRUE(judged.smallest.triangle == FigureTriangle::ABC && judged.smallest.corner == Corner::A);
        EXPECT_NEAR(judged.smallest.degrees, degrees, 1e-6);
        EXPECT_EQ(judged.weak, degrees < 30) << degrees;
    }

    // sides of B-C-D that miss closing by a rounding: flat, not undefined
    Observations flat = o;
    flat.S6 = flat.S2 + flat.S4 + 1e-9;
    const FigureAngles angles = figureAngles(flat, c.result.S3);
    EXPECT_EQ(angles.angles[9].degrees, 0.0);
    EXPECT_NEAR(angles.angles[10].degrees, 180.0, 1e-8);
    flat.S6 = 0.0;
    EXPECT_THROW(figureAngles(flat, c.result.S3), AdjustmentError);
}

} // namespace
} // namespace korvane
