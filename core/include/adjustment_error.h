#pragma once

#include <stdexcept>
#include <string>

// The one error of the computation. It says what failed (fault), in which
// step (stage) and on what (the triangle, or the name of the value), so that
// the window can tell the surveyor in a sentence of their own terms.

namespace korvane {

enum class Stage {
    Entry,        // taking the single-precision copy of a confirmed side
    KnownSide,    // S3 and the azimuth of A->C
    Adjustment,   // angles, w, K, corrections, ms, adjusted sides
    PointB,       // coordinates of B
    PointD,       // coordinates of D
    PrecisionB,   // weight reciprocals and errors of B
    PrecisionD,   // the same of D
    Check,        // the limit of the misclosure and the error ellipses
};

enum class Fault {
    CoincidentControlPoints,  // A and C coincide: the starting side S3 is zero
    NonPositiveSide,          // a side of a triangle is zero or negative
    NoTriangle,               // three sides that violate the triangle inequality
    FlatTriangle,             // corners on one line: an angle of 0 or 180 degrees, or no height
    DivisionByZero,
    Overflow,                 // a value beyond double range, or beyond float where kept single
    InvalidOperation,         // any other result that is not a number
    NegativeWeightReciprocal, // 1/px or 1/py below zero: no standard error exists
};

enum class Triangle { None, ABC, ACD, ABD };

class AdjustmentError : public std::runtime_error {
public:
    AdjustmentError(Stage stage, Fault fault, std::string quantity,
                    Triangle triangle = Triangle::None);

    Stage stage() const noexcept { return stage_; }
    Fault fault() const noexcept { return fault_; }
    // the value that failed, in the names of the adjustment ("w", "S3", "1/px")
    const std::string& quantity() const noexcept { return quantity_; }
    Triangle triangle() const noexcept { return triangle_; }

private:
    Stage stage_;
    Fault fault_;
    std::string quantity_;
    Triangle triangle_;
};

const char* toString(Stage stage);
const char* toString(Fault fault);
const char* toString(Triangle triangle);

} // namespace korvane
