#pragma once

// The reduction of the measured sides as the surveyor names it, in the
// dialog 边长归算… and in the batch's --reduce: the texts of its values read
// as the entry reads a number (full-width digits too, never through the
// locale), and the sentence that refuses a value, naming it and saying why.
// Shared by the window and the batch, so both refuse alike.

#include "distance_reduction.h"

#include <optional>
#include <string>

namespace korvane {

// what the surveyor typed; only what the choices use is read
struct ReductionTexts {
    bool toProjectionPlane = false;
    std::string meanHeight;  // H_m, m
    std::string planeHeight; // H_0, m
    bool gaussCorrection = false;
    std::string yConstant;   // m
    bool operator==(const ReductionTexts&) const = default;
};

// "测区平均高程 H_m（米）", "投影面高程 H_0（米）", "Y 坐标加常数（米）"
std::string reductionPartLabel(ReductionProblem::Part part);

// The radius the reduction uses, as the dialog states it: "R = 6 371 000 m".
std::string earthRadiusText();

struct ReductionReading {
    std::optional<DistanceReduction> reduction;
    std::string refusal; // when there is none
};

// The reduction the texts name, or the refusal of the first value that is
// missing, not a number, or out of range, in the order H_m, H_0, the Y
// constant:
//   测区平均高程 H_m（米）“abc”不是可用的数。请输入 -10000 到 10000 之间的数。
// Switched off, the values are kept as far as they read, so that the dialog
// offers them again; they are never refused.
ReductionReading readReduction(const ReductionTexts& texts);

// The texts of `reduction` as the dialog offers them again.
ReductionTexts reductionTexts(const DistanceReduction& reduction);

} // namespace korvane
