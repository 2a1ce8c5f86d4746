#pragma once

// The texts of numbers, shared by the window and the printed report so that
// screen and paper always agree.
//
// A value is first written as a decimal: a double at 15 significant digits,
// a float at 7 (the digits a single-precision value carries). That decimal,
// not the binary value behind it, is what is rounded and formatted, so a
// typed 2.0005 is the half the operator typed and shows as 2.001, and a side
// held as the float 1234.5677490234375 prints as 1234.5680.
//
// Two rules of rounding meet here:
//  - rounding to n decimals sends a half to the even neighbour (0.125 -> 0.12);
//  - fixed-decimal formatting ("0.000") sends a half away from zero
//    (0.03125 -> 0.0313 unformatted, but 0.0312 when rounded first).
// A value that comes out as zero is written without a minus sign.

#include <string>

namespace korvane {

class Decimal {
public:
    static Decimal of(double value); // 15 significant digits
    static Decimal of(float value);  // 7 significant digits

    Decimal roundedHalfEven(int decimals) const;

    // At least one digit before the point, exactly `decimals` after it,
    // halves away from zero, "-" in front of a negative value.
    std::string fixed(int decimals) const;

private:
    Decimal(double value, int significantDigits);

    enum class Tie { ToEven, AwayFromZero };
    Decimal rounded(int decimals, Tie tie) const;

    bool negative_ = false;
    std::string digits_;  // significant digits, no leading zeros; empty for zero
    int pointPosition_ = 0; // the point stands after this many digits (may be <= 0 or > size)
};

// The usual combination: round to `roundTo` decimals (halves to even), then
// format with `decimals` decimals. roundTo < 0 formats without rounding first.
std::string fixedText(double value, int roundTo, int decimals);
std::string fixedText(float value, int roundTo, int decimals);

inline constexpr int noRounding = -1;

} // namespace korvane
