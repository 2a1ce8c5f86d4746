#pragma once

// The words of a figure's strength and of its scale, shared by the check
// line, the table of the figure (window and page), the copied results and
// the batch: the scale the misclosure amounts to, the reduction the sides
// were given, weak geometry, and the reliability of the measured sides.
// UTF-8; numbers by number_text.h, never through the locale. A scale is
// written with a true minus sign (U+2212) or a plus, as a surveyor writes a
// scale error; millimetres in a table with the ASCII signs of the
// corrections beside them.

#include "figure_identity.h"
#include "figure_strength.h"

#include <optional>
#include <string>
#include <vector>

namespace korvane {

// From this size of the scale w amounts to, a figure beyond its limit asks
// whether its sides were reduced: a blunder rarely looks like a common scale
// so large, a missing reduction always does.
inline constexpr double reductionQuestionPpm = 10.0;

// "−7.24 ppm", "+22.91 ppm", "0.00 ppm", to `decimals` decimals
std::string ppmText(double ppm, int decimals);

// "闭合差相当于边长尺度误差 −7.24 ppm"
std::string misclosureScaleLine(double ppm);

// "闭合差相当于边长尺度误差 −56.33 ppm：边长是否已归算到投影面？"
std::string reductionQuestion(double ppm);

// "边长已归算：−58.0 ppm", the mean of the five factors
std::string reducedSidesText(double meanPpm);

// "图形较弱：三角形 A-B-C 在 B 的角为 0.0°（规范要求三角形内角不小于 30°），本检核不可靠",
// the triangle and its corner by the points' names
std::string weakGeometryText(const FigureAngle& smallest, const PointNames& names = letterNames);

// "合格", "图形较弱" or "超限", as the batch's status names a figure
std::string verdictText(FigureVerdict verdict);

// "+1.3", "-2.7", "0.0": millimetres as a table of the figure writes them
std::string signedMillimetres(double millimetres);

// "26.7", or "—" where the value does not exist
std::string millimetresOrDash(const std::optional<double>& millimetres);

// The sentence under the table of the reliability:
// "任一边小于 27.8 毫米的粗差可能发现不了；这样的粗差最多使 B 移动 22.0 毫米，D 移动 23.2 毫米",
// B and D by their names; or what can be said where a blunder's effect, or
// the blunder, cannot be computed.
std::string reliabilitySentence(const FigureStrength& strength, const PointNames& names = letterNames);

// Beyond the limit, what the column Δ means and what to do with it.
std::string blunderAdvice();

// One value of the strength as the copied results carry it: the item, its
// digits as the table shows them, the unit; with no value, a sentence
// across the row.
struct StrengthRow {
    std::string item;
    std::string value;
    std::string unit;
};

// The values of the table of the figure as rows: the a-priori precision of
// B and D, then r, ∇, the effects on B and D (and beyond the limit Δ) of
// each side, the smallest angle; then the scale line, the sentence of the
// reliability and, beyond the limit, the advice.
std::vector<StrengthRow> strengthRows(const FigureStrength& strength, const std::optional<double>& scalePpm);

} // namespace korvane
