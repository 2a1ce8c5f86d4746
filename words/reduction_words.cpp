#include "reduction_words.h"

#include "exact_text.h"
#include "number_reading.h"


namespace korvane {

namespace {

using Part = ReductionProblem::Part;

// the text without the blanks around it
std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "请输入 -10000 到 10000 之间的数。"
std::string rangeAdvice(Part part)
{
    if (part == Part::YConstant)
        return "请输入 0 到 " + typedText(largestYConstant) + " 之间的数。";
    return "请输入 " + typedText(-largestHeight) + " 到 " + typedText(largestHeight) + " 之间的数。";
}

// One value: read, or the refusal of it (empty or not a number).
std::optional<double> readPart(Part part, const std::string& typed, std::string& refusal)
{
    const std::string text = trimmed(typed);
    if (text.empty()) {
        refusal = reductionPartLabel(part) + "没有填写。" + rangeAdvice(part);
        return std::nullopt;
    }
    const std::optional<double> value = readNumber(text);
    if (!value)
        refusal = reductionPartLabel(part) + "“" + text + "”不是可用的数。" + rangeAdvice(part);
    return value;
}

const std::string& textOf(const ReductionTexts& texts, Part part)
{
    switch (part) {
    case Part::MeanHeight: return texts.meanHeight;
    case Part::PlaneHeight: return texts.planeHeight;
    case Part::YConstant: break;
    }
    return texts.yConstant;
}

} // namespace

std::string reductionPartLabel(ReductionProblem::Part part)
{
    switch (part) {
    case Part::MeanHeight: return "测区平均高程 H_m（米）";
    case Part::PlaneHeight: return "投影面高程 H_0（米）";
    case Part::YConstant: break;
    }
    return "Y 坐标加常数（米）";
}

std::string earthRadiusText()
{
    return "R = 6 371 000 m";
}

ReductionReading readReduction(const ReductionTexts& texts)
{
    ReductionReading reading;
    if (!texts.toProjectionPlane) {
        // nothing is used, nothing refused: what reads is kept to be offered again
        DistanceReduction off;
        off.meanHeight = readNumber(trimmed(texts.meanHeight)).value_or(off.meanHeight);
        off.planeHeight = readNumber(trimmed(texts.planeHeight)).value_or(off.planeHeight);
        off.gaussCorrection = texts.gaussCorrection;
        off.yConstant = readNumber(trimmed(texts.yConstant)).value_or(off.yConstant);
        reading.reduction = off;
        return reading;
    }
    DistanceReduction reduction;
    reduction.toProjectionPlane = true;
    reduction.gaussCorrection = texts.gaussCorrection;
    const std::optional<double> meanHeight = readPart(Part::MeanHeight, texts.meanHeight, reading.refusal);
    if (!meanHeight)
        return reading;
    reduction.meanHeight = *meanHeight;
    const std::optional<double> planeHeight = readPart(Part::PlaneHeight, texts.planeHeight, reading.refusal);
    if (!planeHeight)
        return reading;
    reduction.planeHeight = *planeHeight;
    if (texts.gaussCorrection) {
        const std::optional<double> yConstant = readPart(Part::YConstant, texts.yConstant, reading.refusal);
        if (!yConstant)
            return reading;
        reduction.yConstant = *yConstant;
    }
    // read as finite numbers, what is left to refuse is a value out of its range
    if (const std::optional<ReductionProblem> problem = reductionProblem(reduction)) {
        reading.refusal = reductionPartLabel(problem->part) + "“" + trimmed(textOf(texts, problem->part))
                          + "”超出了范围。" + rangeAdvice(problem->part);
        return reading;
    }
    reading.reduction = reduction;
    return reading;
}

ReductionTexts reductionTexts(const DistanceReduction& reduction)
{
    return {reduction.toProjectionPlane, typedText(reduction.meanHeight), typedText(reduction.planeHeight),
            reduction.gaussCorrection, typedText(reduction.yConstant)};
}

} // namespace korvane
