// Nine arbitrary doubles, finite or not, as the entered values: the
// computation either completes or raises AdjustmentError, and never stores a
// NaN or an infinity.

#include "adjustment.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// each value written by the rule of its own precision, as window and paper do
void requireFinite(korvane::KeptValue auto value)
{
    if (!std::isfinite(value))
        std::abort();
    korvane::fixedText(value, 4, 4);
}

void requireStoredValuesFinite(const korvane::AdjustmentResult& r)
{
    for (double value : {r.S3, r.K, r.xp1, r.yp1, r.xp2, r.yp2})
        requireFinite(value);
    for (float value : {r.w, r.ms, r.B.invPx, r.B.invPy, r.B.mx, r.B.my, r.B.md, r.D.invPx, r.D.invPy,
                        r.D.mx, r.D.my, r.D.md})
        requireFinite(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double values[9] = {};
    std::memcpy(values, data, std::min(size, sizeof values));
    korvane::Observations o{values[0], values[1], values[2], values[3], values[4],
                            values[5], values[6], values[7], values[8]};
    const korvane::Observations entered = o;
    korvane::AdjustmentResult r;
    try {
        korvane::adjust(o, r);
    } catch (const korvane::AdjustmentError&) {
        requireStoredValuesFinite(r);
        // the sides are replaced only by finite adjusted values, or not at all
        for (double korvane::Observations::*side : {&korvane::Observations::S1, &korvane::Observations::S2,
                                                    &korvane::Observations::S4, &korvane::Observations::S5,
                                                    &korvane::Observations::S6})
            if (std::memcmp(&(o.*side), &(entered.*side), sizeof(double)) != 0 && !std::isfinite(o.*side))
                std::abort();
        return 0;
    }
    requireStoredValuesFinite(r);
    return 0;
}
