#include "accuracy_setting.h"

#include "exact_text.h"
#include "number_reading.h"

namespace korvane {

namespace {

constexpr const char* constantName = "AccuracyConstantMm";
constexpr const char* scaleName = "AccuracyPpm";

} // namespace

DistanceAccuracy recallAccuracy(EntryMemory& memory)
{
    const std::optional<double> a = readNumber(memory.recall(constantName).toStdString());
    const std::optional<double> b = readNumber(memory.recall(scaleName).toStdString());
    // the two were kept together; one of them spoilt, the pair names no
    // instrument the surveyor chose
    if (!a || !b)
        return defaultAccuracy;
    const DistanceAccuracy kept{*a, *b};
    return accuracyProblem(kept) ? defaultAccuracy : kept;
}

void rememberAccuracy(EntryMemory& memory, DistanceAccuracy accuracy)
{
    memory.remember(constantName, QString::fromStdString(exactText(accuracy.constantMm)));
    memory.remember(scaleName, QString::fromStdString(exactText(accuracy.ppm)));
}

} // namespace korvane
