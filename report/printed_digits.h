#pragma once

// The digits the report prints for each kind of value, without the blank in
// front of them: the one place where the paper's rules live, so that every
// file that promises the report's digits (the batch command's results, the
// exported points) has them.
//
// Each takes exactly the type the records keep the value in: a float prints
// from its seven significant digits, a double from fifteen, and neither can
// reach the other's rule by a silent conversion.

#include "number_text.h"

#include <string>

namespace korvane::printed {

// the control points, as entered: three decimals, not rounded first
inline std::string enteredCoordinate(DoubleValue auto value)
{
    return fixedText(value, noRounding, 3);
}

// the measured sides, their single copies: four decimals, not rounded first
inline std::string observedSide(SingleValue auto value)
{
    return fixedText(value, noRounding, 4);
}

// S3 and the adjusted sides: rounded to four decimals, four decimals
inline std::string side(DoubleValue auto value)
{
    return fixedText(value, 4, 4);
}

// w in seconds: rounded to two decimals, two decimals
inline std::string misclosure(SingleValue auto value)
{
    return fixedText(value, 2, 2);
}

// K: rounded to five decimals, five decimals
inline std::string correlate(DoubleValue auto value)
{
    return fixedText(value, 5, 5);
}

// B and D: rounded to three decimals, three decimals
inline std::string coordinate(DoubleValue auto value)
{
    return fixedText(value, 3, 3);
}

// 1/px, 1/py: five decimals, not rounded first
inline std::string weightReciprocal(SingleValue auto value)
{
    return fixedText(value, noRounding, 5);
}

// ms, mx, my, md: two decimals, not rounded first
inline std::string millimetres(SingleValue auto value)
{
    return fixedText(value, noRounding, 2);
}

} // namespace korvane::printed
