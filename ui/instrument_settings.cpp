#include "instrument_settings.h"

#include "accuracy_dialog.h"
#include "settings.h"

#include "figure_compute.h"

namespace korvane {

InstrumentSettings::InstrumentSettings(FigureCompute& compute, Settings& settings, AccuracyDialog& dialog,
                                       MessageSink& messages, QObject* parent)
    : QObject(parent), compute_(compute), settings_(settings), dialog_(dialog), messages_(messages)
{
    compute_.setAccuracy(settings_.recallAccuracy());
}

void InstrumentSettings::askAccuracy()
{
    const std::optional<DistanceAccuracy> chosen = korvane::askAccuracy(dialog_, messages_, compute_.accuracy());
    if (!chosen)
        return;
    compute_.setAccuracy(*chosen);
    settings_.rememberAccuracy(*chosen);
    emit changed();
}

} // namespace korvane
