#pragma once

// 打开观测文件… and 保存观测文件…: a figure's nine values from an observation
// file into the window, and the window's nine values into a file of one
// figure. Faults become messages and change nothing.

#include "records.h"

#include <QString>

#include <optional>

namespace korvane {

class FigureChooser;
class InputDialog;
class MessageSink;
class OpenFileDialog;
class SaveFileDialog;

class ObservationFiles {
public:
    // Asks for a file and reads it whole; with several figures, asks which.
    // The figure's values, or nothing: cancelled, or a fault told.
    std::optional<Observations> open(OpenFileDialog& files, FigureChooser& chooser, MessageSink& messages);

    // Asks for a file and then the figure's name (offering the file's), and
    // writes `values` there, whole or not at all.
    void save(SaveFileDialog& files, InputDialog& names, MessageSink& messages, const Observations& values);

private:
    QString folder_; // the folder used last, offered next time
};

// the message when there are no nine values to save yet
QString nothingToSaveMessage();

} // namespace korvane
