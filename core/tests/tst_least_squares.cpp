// An independent check of the whole adjustment: the same network solved as a
// rigorous least-squares adjustment of the four unknown coordinates from the
// five measured distances (Gauss-Newton), with the cofactors of the unknowns.
// The condition adjustment is linearised and uses rho = 206265, so the two
// agree to second order in the side errors: 0.01 mm in the coordinates and
// 1e-3 in the weight reciprocals on networks of a few hundred metres.

#include "adjustment.h"
#include "figure_check.h"
#include "network.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

namespace korvane {
namespace {

using testing::distance;
using testing::Network;
using testing::Point;
using Matrix4 = std::array<std::array<double, 4>, 4>;

// Inverse of a symmetric positive definite 4x4 matrix by Gauss-Jordan.
Matrix4 inverse(Matrix4 m)
{
    Matrix4 inv{};
    for (int i = 0; i < 4; ++i)
        inv[i][i] = 1.0;
    for (int col = 0; col < 4; ++col) {
        const double pivot = m[col][col];
        for (int j = 0; j < 4; ++j) {
            m[col][j] /= pivot;
            inv[col][j] /= pivot;
        }
        for (int row = 0; row < 4; ++row) {
            if (row == col)
                continue;
            const double factor = m[row][col];
            for (int j = 0; j < 4; ++j) {
                m[row][j] -= factor * m[col][j];
                inv[row][j] -= factor * inv[col][j];
            }
        }
    }
    return inv;
}

struct LeastSquares {
    Point B, D;
    Matrix4 cofactors; // of xB, yB, xD, yD
};

LeastSquares solveRigorously(Point A, Point C, const Observations& o, Point B, Point D)
{
    // the five distances as (from, to, measured); unknowns 0,1 = B and 2,3 = D
    Matrix4 N{};
    for (int iteration = 0; iteration < 8; ++iteration) {
        struct Row {
            std::array<double, 4> a;
            double misclosure;
        };
        auto rowOf = [](Point p, Point q, double measured, int pIndex, int qIndex) {
            const double s = std::hypot(q.x - p.x, q.y - p.y);
            const double ux = (q.x - p.x) / s, uy = (q.y - p.y) / s;
            Row r{{0, 0, 0, 0}, measured - s};
            if (pIndex >= 0) {
                r.a[pIndex] = -ux;
                r.a[pIndex + 1] = -uy;
            }
            if (qIndex >= 0) {
                r.a[qIndex] = ux;
                r.a[qIndex + 1] = uy;
            }
            return r;
        };
        const Row rows[] = {rowOf(A, B, o.S1, -1, 0), rowOf(B, C, o.S2, 0, -1), rowOf(C, D, o.S4, -1, 2),
                            rowOf(D, A, o.S5, 2, -1), rowOf(B, D, o.S6, 0, 2)};
        N = {};
        std::array<double, 4> n{};
        for (const Row& r : rows) {
            for (int i = 0; i < 4; ++i) {
                n[i] += r.a[i] * r.misclosure;
                for (int j = 0; j < 4; ++j)
                    N[i][j] += r.a[i] * r.a[j];
            }
        }
        const Matrix4 Q = inverse(N);
        std::array<double, 4> dx{};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                dx[i] += Q[i][j] * n[j];
        B = {B.x + dx[0], B.y + dx[1]};
        D = {D.x + dx[2], D.y + dx[3]};
    }
    return {B, D, inverse(N)};
}

TEST(LeastSquaresCheck, RandomRealisticRhombiAgreeWithTheRigorousSolution)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> sideError(0.0, 0.005); // 5 mm
    const double twoPi = 2.0 * std::acos(-1.0);

    for (int trial = 0; trial < 500; ++trial) {
        SCOPED_TRACE(trial);
        // A somewhere in a national grid, C 200 m to 2 km away in any direction,
        // B left and D right of A->C at 30 % to 90 % of A-C from it
        const Point A{3.0e6 + 1e5 * unit(random), 4.0e5 + 1e5 * unit(random)};
        const double length = 200.0 + 1800.0 * unit(random);
        const double azimuth = twoPi * unit(random);
        const double ux = std::cos(azimuth), uy = std::sin(azimuth);
        const Point C{A.x + length * ux, A.y + length * uy};
        auto offset = [&](double along, double across) { // across > 0: to the right
            return Point{A.x + length * (along * ux - across * uy), A.y + length * (along * uy + across * ux)};
        };
        const Point B = offset(0.25 + 0.5 * unit(random), -(0.3 + 0.6 * unit(random)));
        const Point D = offset(0.25 + 0.5 * unit(random), 0.3 + 0.6 * unit(random));

        Observations o = Network{A, B, C, D}.exactObservations();
        for (double* side : {&o.S1, &o.S2, &o.S4, &o.S5, &o.S6})
            *side += sideError(random);
        const Observations measured = o;

        AdjustmentResult r;
        AdjustmentTerms terms;
        adjust(o, r, {}, &terms);
        const LeastSquares ls = solveRigorously(A, C, measured, B, D);

        EXPECT_NEAR(r.xp1, ls.B.x, testing::tenMicrometres);
        EXPECT_NEAR(r.yp1, ls.B.y, testing::tenMicrometres);
        EXPECT_NEAR(r.xp2, ls.D.x, testing::tenMicrometres);
        EXPECT_NEAR(r.yp2, ls.D.y, testing::tenMicrometres);
        EXPECT_NEAR(r.B.invPx, ls.cofactors[0][0], testing::weightReciprocalUnitsIn3rdDecimal);
        EXPECT_NEAR(r.B.invPy, ls.cofactors[1][1], testing::weightReciprocalUnitsIn3rdDecimal);
        EXPECT_NEAR(r.D.invPx, ls.cofactors[2][2], testing::weightReciprocalUnitsIn3rdDecimal);
        EXPECT_NEAR(r.D.invPy, ls.cofactors[3][3], testing::weightReciprocalUnitsIn3rdDecimal);
        // Every adjusted side is the distance between the rigorously placed
        // corners, and ms the root of the sum of their squared residuals (with
        // unit side weights, the a-posteriori unit-weight error), in mm.
        const double rigorous[] = {distance(A, ls.B), distance(ls.B, C), distance(C, ls.D), distance(ls.D, A),
                                   distance(ls.B, ls.D)};
        const double adjustedSides[] = {o.S1, o.S2, o.S4, o.S5, o.S6};
        const double measuredSides[] = {measured.S1, measured.S2, measured.S4, measured.S5, measured.S6};
        double vv = 0;
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(adjustedSides[i], rigorous[i], testing::tenMicrometres) << "S1, S2, S4, S5, S6: " << i;
            vv += std::pow(rigorous[i] - measuredSides[i], 2);
        }
        EXPECT_NEAR(r.ms, std::sqrt(vv) * 1000.0, testing::tenMicrometresInMillimetres);
        // the diagonal between the program's own B and D is its adjusted S6
        EXPECT_NEAR(distance({r.xp1, r.yp1}, {r.xp2, r.yp2}), o.S6, testing::tenMicrometres);

        // the error ellipses against the rigorous cofactors of each point:
        // axes within 1 %, and the covariance that orients them
        const FigureCheck check = checkFigure(o, r, terms, defaultAccuracy);
        for (const auto& [ellipse, at] : {std::pair{check.B, 0}, std::pair{check.D, 2}}) {
            const double qxx = ls.cofactors[at][at], qyy = ls.cofactors[at + 1][at + 1];
            const double qxy = ls.cofactors[at][at + 1];
            const double k = std::hypot(qxx - qyy, 2.0 * qxy);
            const double major = r.ms * std::sqrt((qxx + qyy + k) / 2.0);
            const double minor = r.ms * std::sqrt((qxx + qyy - k) / 2.0);
            EXPECT_NEAR(ellipse.semiMajor, major, 0.01 * major);
            EXPECT_NEAR(ellipse.semiMinor, minor, 0.01 * major);
            // the major axis along the direction the rigorous covariance
            // stretches most: its variance there is E^2 / ms^2
            const double phi = ellipse.azimuth * std::acos(-1.0) / 180.0;
            const double along = qxx * std::cos(phi) * std::cos(phi) + 2.0 * qxy * std::sin(phi) * std::cos(phi) +
                                 qyy * std::sin(phi) * std::sin(phi);
            EXPECT_NEAR(r.ms * std::sqrt(along), major, 0.01 * major);
        }
        if (::testing::Test::HasFailure())
            break;
    }
}

} // namespace
} // namespace korvane
