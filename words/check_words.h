#pragma once

// The words of the check of a figure, shared by the window's check line, the
// report's page of the drawing, the copied results and the batch command.
// UTF-8; numbers as the misclosure field writes them (number_text.h), so no
// locale reaches a digit.

#include "figure_check.h"
#include "figure_compute.h"
#include "figure_identity.h"

#include <string>

namespace korvane {

// "2 mm + 2 ppm": each part in the shortest plain decimal that reads back
// as the value
std::string accuracyText(DistanceAccuracy accuracy);

// "合格" or "超限"
std::string verdictText(const MisclosureCheck& check);

// The check line of a compute that has stored w:
//   闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格
// and beyond the limit, in place of 合格, the advice that one redundant
// measurement cannot say which side is wrong.
std::string misclosureCheckLine(const MisclosureCheck& check, DistanceAccuracy accuracy);

// The check line of a compute that stopped before w was stored.
std::string unfinishedCheckLine();

// A figure beyond its limit in a line of its own, as the batch names a row:
// "超限，w = -10.84秒，限差 ±4.19秒"
std::string exceededText(const MisclosureCheck& check);

// Where the points landed, looking from A towards C: "B 在 A→C 的左侧，D 在右侧"
// as the placement always gives them, so a surveyor who typed B's sides for
// D's sees at once that the drawing disagrees with the field; each point by
// its name ("K12 在 GP01→GP02 的左侧，K13 在右侧").
std::string sidesText(SideOfLine sideOfB, SideOfLine sideOfD, const PointNames& names = letterNames);

// The check line with its tone: plain, or the verdict's pass or fail, which
// the window shows in a colour of its own.
struct CheckLineText {
    enum class Tone { Plain, Pass, Fail };
    std::string text;
    Tone tone = Tone::Plain;
};

// What the line says after a compute that ended as `end`; `terms` and `w` as
// that compute left them. A check that cannot be formed (absurd data beyond
// the range of its arithmetic) is a line that says so, never an error.
CheckLineText checkLineText(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy);

// the same for the last compute of `compute`, at its accuracy
CheckLineText checkLineText(const FigureCompute& compute);

} // namespace korvane
