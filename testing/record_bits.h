#pragma once

// Every value a compute leaves in the result record, as its bits: two
// records compare equal only when every value is the very same, and never
// by the padding between them.

#include "records.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace korvane::testing {

inline std::vector<std::uint64_t> bits(const AdjustmentResult& r)
{
    std::vector<std::uint64_t> all;
    for (double value : {r.S3, r.K, r.xp1, r.yp1, r.xp2, r.yp2})
        all.push_back(std::bit_cast<std::uint64_t>(value));
    for (float value : {r.s1, r.s2, r.s4, r.s5, r.s6, r.w, r.ms, r.B.invPx, r.B.invPy, r.B.mx, r.B.my, r.B.md,
                        r.D.invPx, r.D.invPy, r.D.mx, r.D.my, r.D.md})
        all.push_back(std::bit_cast<std::uint32_t>(value));
    return all;
}

} // namespace korvane::testing
