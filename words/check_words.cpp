#include "check_words.h"

#include "exact_text.h"
#include "number_text.h"

namespace korvane {

namespace {

std::string seconds(double value)
{
    return fixedText(value, 2, 2) + "秒";
}

std::string seconds(float value)
{
    return fixedText(value, 2, 2) + "秒";
}

} // namespace

std::string accuracyText(DistanceAccuracy accuracy)
{
    return typedText(accuracy.constantMm) + " mm + " + typedText(accuracy.ppm) + " ppm";
}

std::string verdictText(const MisclosureCheck& check)
{
    return check.withinLimit ? "合格" : "超限";
}

std::string misclosureCheckLine(const MisclosureCheck& check, DistanceAccuracy accuracy)
{
    std::string line = "闭合差检核：w = " + seconds(check.w) + "，限差 ±" + seconds(check.limit) + "（测距精度 "
                       + accuracyText(accuracy) + "），" + verdictText(check);
    if (!check.withinLimit)
        line += "：只有一个多余观测，无法判断哪条边有粗差，请检查输入或重测";
    return line;
}

std::string unfinishedCheckLine()
{
    return "闭合差检核：本次计算未完成";
}

std::string exceededText(const MisclosureCheck& check)
{
    return "超限，w = " + seconds(check.w) + "，限差 ±" + seconds(check.limit);
}

std::string sidesText(SideOfLine sideOfB, SideOfLine sideOfD, const PointNames& names)
{
    const auto where = [](SideOfLine side) -> std::string {
        switch (side) {
        case SideOfLine::Left: return "左侧";
        case SideOfLine::Right: return "右侧";
        case SideOfLine::OnTheLine: break;
        }
        return "连线上";
    };
    return names[1] + " 在 " + names[0] + "→" + names[2] + " 的" + where(sideOfB) + "，" + names[3] + " 在"
           + where(sideOfD);
}

CheckLineText checkLineText(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy)
{
    using Tone = CheckLineText::Tone;
    if (end == ComputeEnd::None)
        return {};
    if (end == ComputeEnd::StoppedBeforeMisclosure)
        return {unfinishedCheckLine(), Tone::Plain};

    MisclosureCheck check;
    try {
        check = checkMisclosure(terms, w, accuracy);
    } catch (const AdjustmentError&) {
        return {"闭合差检核：数值超出了计算范围，无法求出限差。请检查输入数据", Tone::Fail};
    }
    std::string text = misclosureCheckLine(check, accuracy);
    if (end == ComputeEnd::StoppedAfterMisclosure) {
        // w is this compute's and judged; the fields after it are not
        text += "。本次计算未完成，灰色的数值不是本次计算的结果";
        // a verdict in green would vouch for results that are not there
        return {text, check.withinLimit ? Tone::Plain : Tone::Fail};
    }
    return {text, check.withinLimit ? Tone::Pass : Tone::Fail};
}

CheckLineText checkLineText(const FigureCompute& compute)
{
    return checkLineText(compute.lastEnd(), compute.terms(), compute.result().w, compute.accuracy());
}

} // namespace korvane
