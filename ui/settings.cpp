#include "settings.h"

#include "exact_text.h"
#include "number_reading.h"

namespace korvane {

namespace {

constexpr const char* constantName = "AccuracyConstantMm";
constexpr const char* scaleName = "AccuracyPpm";

constexpr const char* toPlaneName = "ReductionToProjectionPlane";
constexpr const char* meanHeightName = "ReductionMeanHeight";
constexpr const char* planeHeightName = "ReductionPlaneHeight";
constexpr const char* gaussName = "ReductionGaussCorrection";
constexpr const char* yConstantName = "ReductionYConstant";

QString choiceText(bool chosen)
{
    return chosen ? QStringLiteral("true") : QStringLiteral("false");
}

std::optional<bool> readChoice(const QString& text)
{
    if (text == QStringLiteral("true"))
        return true;
    if (text == QStringLiteral("false"))
        return false;
    return std::nullopt;
}

} // namespace

DistanceAccuracy Settings::recallAccuracy()
{
    const std::optional<double> a = readNumber(recall(constantName).toStdString());
    const std::optional<double> b = readNumber(recall(scaleName).toStdString());
    // the two were kept together; one of them spoilt, the pair names no
    // instrument the surveyor chose
    if (!a || !b)
        return defaultAccuracy;
    const DistanceAccuracy kept{*a, *b};
    return accuracyProblem(kept) ? defaultAccuracy : kept;
}

void Settings::rememberAccuracy(DistanceAccuracy accuracy)
{
    remember(constantName, QString::fromStdString(exactText(accuracy.constantMm)));
    remember(scaleName, QString::fromStdString(exactText(accuracy.ppm)));
}

DistanceReduction Settings::recallReduction()
{
    const std::optional<bool> toPlane = readChoice(recall(toPlaneName));
    const std::optional<bool> gauss = readChoice(recall(gaussName));
    const std::optional<double> meanHeight = readNumber(recall(meanHeightName).toStdString());
    const std::optional<double> planeHeight = readNumber(recall(planeHeightName).toStdString());
    const std::optional<double> yConstant = readNumber(recall(yConstantName).toStdString());
    if (!toPlane || !gauss || !meanHeight || !planeHeight || !yConstant)
        return noReduction;
    const DistanceReduction kept{*toPlane, *meanHeight, *planeHeight, *gauss, *yConstant};
    return reductionProblem(kept) ? noReduction : kept;
}

void Settings::rememberReduction(const DistanceReduction& reduction)
{
    remember(toPlaneName, choiceText(reduction.toProjectionPlane));
    remember(meanHeightName, QString::fromStdString(exactText(reduction.meanHeight)));
    remember(planeHeightName, QString::fromStdString(exactText(reduction.planeHeight)));
    remember(gaussName, choiceText(reduction.gaussCorrection));
    remember(yConstantName, QString::fromStdString(exactText(reduction.yConstant)));
}

} // namespace korvane
