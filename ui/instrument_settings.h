#pragma once

// The settings of the instrument, the family behind 测距精度…: the distance
// meter's accuracy a + b ppm that the misclosure is judged at, named in its
// dialog, kept in the settings and handed to the compute, so that the last
// compute is judged again at once. The kept accuracy is the compute's from
// the start.

#include <QObject>

namespace korvane {

class AccuracyDialog;
class FigureCompute;
class MessageSink;
class Settings;

class InstrumentSettings final : public QObject {
    Q_OBJECT

public:
    InstrumentSettings(FigureCompute& compute, Settings& settings, AccuracyDialog& dialog, MessageSink& messages,
                       QObject* parent = nullptr);

public slots:
    // Asks until the dialog names a usable accuracy, or Cancel; a refused
    // or cancelled dialog changes nothing.
    void askAccuracy();

signals:
    // the compute's accuracy changed: its check is to be judged again
    void changed();

private:
    FigureCompute& compute_;
    Settings& settings_;
    AccuracyDialog& dialog_;
    MessageSink& messages_;
};

} // namespace korvane
