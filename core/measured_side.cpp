#include "measured_side.h"

#include "checked_arithmetic.h"

namespace korvane {

const char* toString(MeasuredSide side)
{
    switch (side) {
    case MeasuredSide::S1: return "S1";
    case MeasuredSide::S2: return "S2";
    case MeasuredSide::S4: return "S4";
    case MeasuredSide::S5: return "S5";
    case MeasuredSide::S6: return "S6";
    }
    return "?";
}

void keepSingleCopy(MeasuredSide side, double value, AdjustmentResult& result)
{
    float* copy = nullptr;
    switch (side) {
    case MeasuredSide::S1: copy = &result.s1; break;
    case MeasuredSide::S2: copy = &result.s2; break;
    case MeasuredSide::S4: copy = &result.s4; break;
    case MeasuredSide::S5: copy = &result.s5; break;
    case MeasuredSide::S6: copy = &result.s6; break;
    }
    *copy = toSingle(value, Site{Stage::Entry, toString(side)});
}

} // namespace korvane
