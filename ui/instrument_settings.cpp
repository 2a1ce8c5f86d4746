#include "instrument_settings.h"

#include "accuracy_dialog.h"
#include "reduction_dialog.h"
#include "settings.h"

#include "figure_compute.h"

namespace korvane {

InstrumentSettings::InstrumentSettings(FigureCompute& compute, Settings& settings, AccuracyDialog& dialog,
                                       ReductionDialog& reductionDialog, MessageSink& messages, QObject* parent)
    : QObject(parent),
      compute_(compute),
      settings_(settings),
      dialog_(dialog),
      reductionDialog_(reductionDialog),
      messages_(messages)
{
    compute_.setAccuracy(settings_.recallAccuracy());
    compute_.setReduction(settings_.recallReduction());
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

void InstrumentSettings::askReduction()
{
    const std::optional<DistanceReduction> chosen =
        korvane::askReduction(reductionDialog_, messages_, compute_.reduction());
    if (!chosen)
        return;
    compute_.setReduction(*chosen);
    settings_.rememberReduction(*chosen);
    emit reductionChanged();
}

} // namespace korvane
