#include "strength_words.h"

#include "exact_text.h"
#include "number_text.h"

#include <array>
#include <cstddef>

namespace korvane {

namespace {

constexpr const char* trueMinus = "\u2212";

constexpr std::array<const char*, 5> sideNames{"S1", "S2", "S4", "S5", "S6"};

std::string oneDecimal(double value)
{
    return fixedText(value, 1, 1);
}

std::string twoDecimals(double value)
{
    return fixedText(value, 2, 2);
}

} // namespace

std::string ppmText(double ppm, int decimals)
{
    const std::string text = fixedText(ppm, decimals, decimals);
    if (text.front() == '-')
        return trueMinus + text.substr(1) + " ppm";
    // a scale that shows as zero has no sign
    if (text.find_first_not_of("0.") == std::string::npos)
        return text + " ppm";
    return "+" + text + " ppm";
}

std::string misclosureScaleLine(double ppm)
{
    return "闭合差相当于边长尺度误差 " + ppmText(ppm, 2);
}

std::string reductionQuestion(double ppm)
{
    return misclosureScaleLine(ppm) + "：边长是否已归算到投影面？";
}

std::string reducedSidesText(double meanPpm)
{
    return "边长已归算：" + ppmText(meanPpm, 1);
}

std::string weakGeometryText(const FigureAngle& smallest, const PointNames& names)
{
    // the corners of A-B-C, A-C-D, A-B-D, B-C-D, A = 0 ... D = 3
    constexpr std::size_t cornersOf[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 1, 3}, {1, 2, 3}};
    const auto& corners = cornersOf[static_cast<std::size_t>(smallest.triangle)];
    const std::string triangle = names[corners[0]] + "-" + names[corners[1]] + "-" + names[corners[2]];
    return "图形较弱：三角形 " + triangle + " 在 " + names[static_cast<std::size_t>(smallest.corner)] + " 的角为 "
           + oneDecimal(smallest.degrees) + "°（规范要求三角形内角不小于 " + typedText(smallestSoundAngle)
           + "°），本检核不可靠";
}

std::string verdictText(FigureVerdict verdict)
{
    switch (verdict) {
    case FigureVerdict::BeyondLimit: return "超限";
    case FigureVerdict::Weak: return "图形较弱";
    case FigureVerdict::Sound: break;
    }
    return "合格";
}

std::string signedMillimetres(double millimetres)
{
    const std::string text = oneDecimal(millimetres);
    return text.front() == '-' || text == "0.0" ? text : "+" + text;
}

std::string millimetresOrDash(const std::optional<double>& millimetres)
{
    return millimetres ? oneDecimal(*millimetres) : "—";
}

std::string reliabilitySentence(const FigureStrength& s, const PointNames& names)
{
    const std::string& B = names[1];
    const std::string& D = names[3];
    if (!s.largestDetectable)
        return "有的边上的粗差在闭合差中反映不出来，本检核发现不了";
    const std::string undetected = "任一边小于 " + oneDecimal(s.largestDetectable->valueMm) + " 毫米的粗差可能发现不了；";
    if (!s.largestEffectOnB || !s.largestEffectOnD)
        return undetected + "加上这样的粗差，图形无法计算，" + B + " 和 " + D + " 会移动多少算不出来";
    return undetected + "这样的粗差最多使 " + B + " 移动 " + oneDecimal(s.largestEffectOnB->valueMm) + " 毫米，" + D
           + " 移动 " + oneDecimal(s.largestEffectOnD->valueMm) + " 毫米";
}

std::string blunderAdvice()
{
    return "Δ：闭合差若只由一条边的粗差造成，这条边测长了 Δ。五条边的 Δ 都同样能解释闭合差，"
           "一个多余观测无法判断是哪一条；请与外业记录比较，与某个 Δ 相近的差错就是要找的";
}

std::vector<StrengthRow> strengthRows(const FigureStrength& s, const std::optional<double>& scalePpm)
{
    std::vector<StrengthRow> rows;
    for (const auto& [name, point] : {std::pair{"B", s.B}, std::pair{"D", s.D}}) {
        const std::string of = std::string("(") + name + ")";
        rows.push_back({"验前mx" + of, twoDecimals(point.mx), "毫米"});
        rows.push_back({"验前my" + of, twoDecimals(point.my), "毫米"});
        rows.push_back({"验前md" + of, twoDecimals(point.md), "毫米"});
        rows.push_back({"验前E" + of, twoDecimals(point.ellipse.semiMajor), "毫米"});
        rows.push_back({"验前F" + of, twoDecimals(point.ellipse.semiMinor), "毫米"});
        rows.push_back({"验前φ" + of, oneDecimal(point.ellipse.azimuth), "度"});
    }
    const bool beyond = s.verdict == FigureVerdict::BeyondLimit;
    for (std::size_t i = 0; i < sideNames.size(); ++i) {
        const SideReliability& side = s.sides[i];
        const std::string of = std::string("(") + sideNames[i] + ")";
        rows.push_back({"r" + of, oneDecimal(side.redundancy * 100.0), "%"});
        rows.push_back({"∇" + of, millimetresOrDash(side.detectableMm), "毫米"});
        rows.push_back({"B移动" + of, millimetresOrDash(side.effectOnBMm), "毫米"});
        rows.push_back({"D移动" + of, millimetresOrDash(side.effectOnDMm), "毫米"});
        if (beyond)
            rows.push_back({"Δ" + of, side.explainingMm ? signedMillimetres(*side.explainingMm) : "—", "毫米"});
    }
    const FigureAngle& smallest = s.angles.smallest;
    rows.push_back({std::string("最小角(") + toString(smallest.triangle) + " 在 " + toString(smallest.corner) + ")",
                    oneDecimal(smallest.degrees), "度"});
    if (scalePpm)
        rows.push_back({misclosureScaleLine(*scalePpm), {}, {}});
    rows.push_back({reliabilitySentence(s), {}, {}});
    if (beyond)
        rows.push_back({blunderAdvice(), {}, {}});
    return rows;
}

} // namespace korvane
