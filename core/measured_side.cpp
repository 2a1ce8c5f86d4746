#include "measured_side.h"

#include "checked_arithmetic.h"

#include <array>
#include <cstddef>

namespace korvane {

namespace {

struct SideRecord {
    const char* name;
    double Observations::*side;
    float AdjustmentResult::*copy;
};

// in the order of MeasuredSide
constexpr std::array<SideRecord, 5> sides{{
    {"S1", &Observations::S1, &AdjustmentResult::s1},
    {"S2", &Observations::S2, &AdjustmentResult::s2},
    {"S4", &Observations::S4, &AdjustmentResult::s4},
    {"S5", &Observations::S5, &AdjustmentResult::s5},
    {"S6", &Observations::S6, &AdjustmentResult::s6},
}};

const SideRecord& recordOf(MeasuredSide side)
{
    return sides[static_cast<std::size_t>(side)];
}

} // namespace

const char* toString(MeasuredSide side)
{
    return recordOf(side).name;
}

void keepSingleCopy(MeasuredSide side, double value, AdjustmentResult& result)
{
    const SideRecord& record = recordOf(side);
    result.*record.copy = toSingle(value, Site{Stage::Entry, record.name});
}

void keepSingleCopies(const Observations& observations, AdjustmentResult& result)
{
    for (const SideRecord& record : sides)
        result.*record.copy = toSingle(observations.*record.side, Site{Stage::Entry, record.name});
}

} // namespace korvane
