#pragma once

// 打开观测文件… and 保存观测文件…, the observation files' family of commands:
// a figure's nine values from an observation file into the window, to be
// computed at once as if typed, with its name, line and points' names; and
// the nine values of the last entry that took all nine into a file of one
// figure, with the names it has. A file of several figures lists its lines
// with a fault among them, greyed; other faults become messages and change
// nothing.

#include "figure_compute.h"
#include "figure_identity.h"
#include "records.h"

#include <QObject>
#include <QString>

namespace korvane {

class FigureChooser;
class InputDialog;
class MessageSink;
class OpenFileDialog;
class SaveFileDialog;

class ObservationCommands final : public QObject {
    Q_OBJECT

public:
    // `names` asks for the name of a figure saved
    ObservationCommands(const FigureCompute& compute, OpenFileDialog& openFiles, FigureChooser& chooser,
                        SaveFileDialog& saveFiles, InputDialog& names, MessageSink& messages,
                        QObject* parent = nullptr);

public slots:
    // Asks for a file and reads it whole; with several lines, asks which
    // figure. The figure's values go to figureOpened; cancelled, or a fault
    // told, nothing does.
    void open();

    // Asks for a file and then the figure's name (offering the figure's own,
    // or for a typed figure the file's), and writes the entered values and
    // the points' names there, whole or not at all.
    void save();

signals:
    void figureOpened(const Observations& values, const FigureIdentity& figure);

private:
    QString folder() const;

    const FigureCompute& compute_;
    OpenFileDialog& openFiles_;
    FigureChooser& chooser_;
    SaveFileDialog& saveFiles_;
    InputDialog& names_;
    MessageSink& messages_;
    QString folder_; // the folder used last, offered next time
};

// the message when there are no nine values to save yet
QString nothingToSaveMessage();

} // namespace korvane
