#pragma once

// Arithmetic that never lets a NaN or an infinity through: each operation
// checks its result and throws AdjustmentError naming the stage and the value.

#include "adjustment_error.h"

#include <cmath>

namespace korvane {

// Where a checked operation is: the stage and the name of the value formed.
struct Site {
    Stage stage;
    const char* quantity;
    Triangle triangle = Triangle::None;
};

[[noreturn]] void fail(const Site& site, Fault fault);

// A result that is not finite: an overflow if it is infinite, else invalid.
inline double finite(double value, const Site& site)
{
    if (!std::isfinite(value)) [[unlikely]]
        fail(site, std::isinf(value) ? Fault::Overflow : Fault::InvalidOperation);
    return value;
}

inline double divide(double numerator, double denominator, const Site& site)
{
    if (denominator == 0.0) [[unlikely]]
        fail(site, Fault::DivisionByZero);
    return finite(numerator / denominator, site);
}

inline double squareRoot(double value, const Site& site)
{
    if (value < 0.0) [[unlikely]]
        fail(site, Fault::InvalidOperation);
    return finite(std::sqrt(value), site);
}

// Rounds a double to the nearest float, the way a value kept in single
// precision is stored. A double beyond the float range is an overflow.
inline float toSingle(double value, const Site& site)
{
    // halfway between the largest float and the next power of two: from
    // here on the nearest float is infinity
    constexpr double firstBeyondSingle = 0x1.ffffffp127;
    if (!(std::fabs(finite(value, site)) < firstBeyondSingle)) [[unlikely]]
        fail(site, Fault::Overflow);
    return static_cast<float>(value);
}

} // namespace korvane
