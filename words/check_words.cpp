#include "check_words.h"

#include "strength_words.h"

#include "exact_text.h"
#include "number_text.h"

#include <cmath>

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

// "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），", before the verdict
std::string checkLineStart(const MisclosureCheck& check, DistanceAccuracy accuracy)
{
    return "闭合差检核：w = " + seconds(check.w) + "，限差 ±" + seconds(check.limit) + "（测距精度 "
           + accuracyText(accuracy) + "），";
}

// the notes of the last compute of `compute`, as far as it got
FigureNotes figureNotes(const FigureCompute& compute)
{
    FigureNotes notes;
    notes.points = compute.identity().points;
    if (compute.lastEnd() != ComputeEnd::Finished && compute.lastEnd() != ComputeEnd::StoppedAfterMisclosure)
        return notes;
    notes.scalePpm = compute.misclosureScale();
    if (compute.reducedSides())
        notes.reducedPpm = compute.reducedSides()->meanPpm;
    // the angles need the adjusted sides, which only a finished compute has
    if (compute.finished()) {
        try {
            const FigureAngles angles = figureAngles(compute.observations(), compute.result().S3);
            if (angles.weak)
                notes.weakest = angles.smallest;
        } catch (const AdjustmentError&) {
            // a side of zero has no angles to judge
        }
    }
    return notes;
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
    std::string line = checkLineStart(check, accuracy) + verdictText(check);
    if (!check.withinLimit)
        line += "：只有一个多余观测，无法判断哪条边有粗差，请检查输入或重测";
    return line;
}

std::string figureCheckLine(const MisclosureCheck& check, DistanceAccuracy accuracy, const FigureNotes& notes)
{
    // a check that cannot catch what the geometry hides is never 合格
    std::string line = check.withinLimit && notes.weakest
                           ? checkLineStart(check, accuracy) + weakGeometryText(*notes.weakest, notes.points)
                           : misclosureCheckLine(check, accuracy);
    if (!check.withinLimit && !notes.reducedPpm && notes.scalePpm
        && std::fabs(*notes.scalePpm) >= reductionQuestionPpm)
        line += "。" + reductionQuestion(*notes.scalePpm);
    if (notes.reducedPpm)
        line += "。" + reducedSidesText(*notes.reducedPpm);
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

CheckLineText checkLineText(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy,
                            const FigureNotes& notes)
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
    std::string text = figureCheckLine(check, accuracy, notes);
    if (end == ComputeEnd::StoppedAfterMisclosure) {
        // w is this compute's and judged; the fields after it are not
        text += "。本次计算未完成，灰色的数值不是本次计算的结果";
        // a verdict in green would vouch for results that are not there
        return {text, check.withinLimit ? Tone::Plain : Tone::Fail};
    }
    if (!check.withinLimit)
        return {text, Tone::Fail};
    return {text, notes.weakest ? Tone::Weak : Tone::Pass};
}

CheckLineText checkLineText(const FigureCompute& compute)
{
    return checkLineText(compute.lastEnd(), compute.terms(), compute.result().w, compute.accuracy(),
                         figureNotes(compute));
}

} // namespace korvane
