#include "figure_strength.h"

#include "checked_arithmetic.h"
#include "constants.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace korvane {

namespace {

constexpr Stage stage = Stage::Check;

// The angle between the sides p and q, opposite r, degrees. The cosine is
// held within +-1: sides that close their triangle only to a rounding (or,
// for B-C-D, only to the adjustment's linearisation) give the flat angle
// they nearly make instead of no angle at all.
double angleOf(double p, double q, double r)
{
    const Site site{stage, "angle of the figure"};
    const double numerator = finite(finite(p * p + q * q, site) - finite(r * r, site), site);
    const double cosine = divide(numerator, finite(2.0 * p * q, site), site);
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * degPerRad;
}

} // namespace

const char* toString(FigureTriangle triangle)
{
    switch (triangle) {
    case FigureTriangle::ABC: return "A-B-C";
    case FigureTriangle::ACD: return "A-C-D";
    case FigureTriangle::ABD: return "A-B-D";
    case FigureTriangle::BCD: return "B-C-D";
    }
    return "?";
}

const char* toString(Corner corner)
{
    switch (corner) {
    case Corner::A: return "A";
    case Corner::B: return "B";
    case Corner::C: return "C";
    case Corner::D: return "D";
    }
    return "?";
}

FigureAngles figureAngles(const Observations& o, double S3)
{
    using enum FigureTriangle;
    using enum Corner;
    // each angle with the two sides at its corner and the side opposite
    FigureAngles figure;
    figure.angles = {{
        {ABC, A, angleOf(o.S1, S3, o.S2)},
        {ABC, B, angleOf(o.S1, o.S2, S3)},
        {ABC, C, angleOf(o.S2, S3, o.S1)},
        {ACD, A, angleOf(S3, o.S5, o.S4)},
        {ACD, C, angleOf(S3, o.S4, o.S5)},
        {ACD, D, angleOf(o.S4, o.S5, S3)},
        {ABD, A, angleOf(o.S1, o.S5, o.S6)},
        {ABD, B, angleOf(o.S1, o.S6, o.S5)},
        {ABD, D, angleOf(o.S5, o.S6, o.S1)},
        {BCD, B, angleOf(o.S2, o.S6, o.S4)},
        {BCD, C, angleOf(o.S2, o.S4, o.S6)},
        {BCD, D, angleOf(o.S4, o.S6, o.S2)},
    }};
    figure.smallest = figure.angles.front();
    for (const FigureAngle& angle : figure.angles)
        if (angle.degrees < figure.smallest.degrees)
            figure.smallest = angle;
    figure.weak = figure.smallest.degrees < smallestSoundAngle;
    return figure;
}

} // namespace korvane
