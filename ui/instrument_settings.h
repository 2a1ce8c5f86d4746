#pragma once

// The settings of the instrument, the family behind 测距精度… and 边长归算…:
// the distance meter's accuracy a + b ppm that the misclosure is judged at,
// and the reduction of the measured sides to the projection plane, each
// named in its dialog, kept in the settings and handed to the compute, so
// that the last compute is judged (or, for a reduction, computed) again at
// once. What is kept is the compute's from the start.

#include <QObject>

namespace korvane {

class AccuracyDialog;
class FigureCompute;
class MessageSink;
class ReductionDialog;
class Settings;

class InstrumentSettings final : public QObject {
    Q_OBJECT

public:
    InstrumentSettings(FigureCompute& compute, Settings& settings, AccuracyDialog& dialog,
                       ReductionDialog& reductionDialog, MessageSink& messages, QObject* parent = nullptr);

public slots:
    // Asks until the dialog names a usable accuracy, or Cancel; a refused
    // or cancelled dialog changes nothing.
    void askAccuracy();

    // The same for the reduction of the measured sides.
    void askReduction();

signals:
    // the compute's accuracy changed: its check is to be judged again
    void changed();
    // the compute's reduction changed: its figure is to be computed again
    void reductionChanged();

private:
    FigureCompute& compute_;
    Settings& settings_;
    AccuracyDialog& dialog_;
    ReductionDialog& reductionDialog_;
    MessageSink& messages_;
};

} // namespace korvane
