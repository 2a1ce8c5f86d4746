#include "settings.h"

#include "exact_text.h"
#include "number_reading.h"

namespace korvane {

namespace {

constexpr const char* constantName = "AccuracyConstantMm";
constexpr const char* scaleName = "AccuracyPpm";

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

} // namespace korvane
