#pragma once

// An independent model of the braced rhombus, written from the geometry
// rather than from the program's formulas: the angles by arccosine, the
// gradient of the condition and the coordinates' Jacobian by central
// differences, the weight reciprocals by propagating unit side variances
// under the one condition, all in double with the true pi. Agreement with it
// to the last shown digit checks the whole compute, not one formula of it.

#include <array>
#include <cmath>

namespace korvane::testing {

struct Model {
    double S3, w, ms;
    std::array<double, 4> coordinates; // xB, yB, xD, yD
    std::array<double, 4> reciprocals; // 1/px B, 1/py B, 1/px D, 1/py D
    std::array<double, 4> errors;      // mx B, my B, mx D, my D
    double mdB, mdD;
};

using Sides = std::array<double, 5>; // S1, S2, S4, S5, S6

inline Model model(double Xa, double Ya, double Xc, double Yc, const Sides& measured)
{
    const double pi = std::acos(-1.0);
    const double S3 = std::hypot(Xc - Xa, Yc - Ya);
    const auto angle = [](double p, double q, double r) { return std::acos((p * p + q * q - r * r) / (2 * p * q)); };
    // angle B-A-C plus C-A-D less B-A-D, radians
    const auto condition = [&](const Sides& s) {
        return angle(s[0], S3, s[1]) + angle(S3, s[3], s[2]) - angle(s[0], s[3], s[4]);
    };
    const double azimuthAC = std::atan2(Yc - Ya, Xc - Xa);
    const auto place = [&](const Sides& s) {
        const double toB = azimuthAC - angle(s[0], S3, s[1]);
        const double toD = azimuthAC + angle(S3, s[3], s[2]);
        return std::array<double, 4>{Xa + s[0] * std::cos(toB), Ya + s[0] * std::sin(toB),
                                     Xa + s[3] * std::cos(toD), Ya + s[3] * std::sin(toD)};
    };
    const auto gradient = [](auto f, const Sides& at) {
        Sides g{};
        for (int i = 0; i < 5; ++i) {
            Sides up = at, down = at;
            up[i] += 1e-4;
            down[i] -= 1e-4;
            g[i] = (f(up) - f(down)) / 2e-4;
        }
        return g;
    };
    const auto dot = [](const Sides& a, const Sides& b) {
        double sum = 0;
        for (int i = 0; i < 5; ++i)
            sum += a[i] * b[i];
        return sum;
    };

    Model m{};
    m.S3 = S3;
    m.w = condition(measured) * 180 / pi * 3600;
    Sides a = gradient(condition, measured);
    for (double& x : a)
        x *= 206265; // seconds per metre
    const double aa = dot(a, a);
    Sides adjusted = measured;
    double vv = 0;
    for (int i = 0; i < 5; ++i) {
        const double v = -m.w / aa * a[i];
        adjusted[i] += v;
        vv += v * v;
    }
    m.ms = std::sqrt(vv) * 1000;
    m.coordinates = place(adjusted);
    for (int j = 0; j < 4; ++j) {
        const Sides f = gradient([&](const Sides& s) { return place(s)[j]; }, adjusted);
        m.reciprocals[j] = dot(f, f) - dot(a, f) * dot(a, f) / aa;
        m.errors[j] = m.ms * std::sqrt(m.reciprocals[j]);
    }
    m.mdB = std::hypot(m.errors[0], m.errors[1]);
    m.mdD = std::hypot(m.errors[2], m.errors[3]);
    return m;
}

} // namespace korvane::testing
