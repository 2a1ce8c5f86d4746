#pragma once

// The words of the check of a figure, shared by the window's check line, the
// report's page of the drawing, the copied results and the batch command.
// UTF-8; numbers as the misclosure field writes them (number_text.h), so no
// locale reaches a digit.

#include "figure_check.h"

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

// Where the points landed, looking from A towards C: "B 在 A→C 的左侧，D 在右侧"
// as the placement always gives them, so a surveyor who typed B's sides for
// D's sees at once that the drawing disagrees with the field.
std::string sidesText(SideOfLine sideOfB, SideOfLine sideOfD);

} // namespace korvane
