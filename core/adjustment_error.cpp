#include "adjustment_error.h"
#include "checked_arithmetic.h"

#include <utility>

namespace korvane {

namespace {

std::string describe(Stage stage, Fault fault, const std::string& quantity, Triangle triangle)
{
    std::string text = std::string(toString(fault)) + " in " + toString(stage) + " at " + quantity;
    if (triangle != Triangle::None)
        text += std::string(" (triangle ") + toString(triangle) + ")";
    return text;
}

} // namespace

AdjustmentError::AdjustmentError(Stage stage, Fault fault, std::string quantity, Triangle triangle)
    : std::runtime_error(describe(stage, fault, quantity, triangle))
    , stage_(stage)
    , fault_(fault)
    , quantity_(std::move(quantity))
    , triangle_(triangle)
{
}

void fail(const Site& site, Fault fault)
{
    throw AdjustmentError(site.stage, fault, site.quantity, site.triangle);
}

const char* toString(Stage stage)
{
    switch (stage) {
    case Stage::Entry: return "entry";
    case Stage::KnownSide: return "known side A-C";
    case Stage::Adjustment: return "condition adjustment";
    case Stage::PointB: return "coordinates of B";
    case Stage::PointD: return "coordinates of D";
    case Stage::PrecisionB: return "precision of B";
    case Stage::PrecisionD: return "precision of D";
    case Stage::Check: return "check of the figure";
    }
    return "?";
}

const char* toString(Fault fault)
{
    switch (fault) {
    case Fault::CoincidentControlPoints: return "A and C coincide";
    case Fault::NonPositiveSide: return "side not positive";
    case Fault::NoTriangle: return "sides form no triangle";
    case Fault::FlatTriangle: return "flat triangle";
    case Fault::DivisionByZero: return "division by zero";
    case Fault::Overflow: return "overflow";
    case Fault::InvalidOperation: return "invalid operation";
    case Fault::NegativeWeightReciprocal: return "negative weight reciprocal";
    }
    return "?";
}

const char* toString(Triangle triangle)
{
    switch (triangle) {
    case Triangle::None: return "";
    case Triangle::ABC: return "A-B-C";
    case Triangle::ACD: return "A-C-D";
    case Triangle::ABD: return "A-B-D";
    }
    return "?";
}

} // namespace korvane
