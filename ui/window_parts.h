#pragma once

// What the main window works through: the operator's dialogs and messages,
// the user's settings, the printer and the preview, the guide. Each part a
// caller leaves empty is the real one: the Qt dialogs, the settings file,
// the default printer, the guide installed with the program; tests stand in
// their own.

#include "report_commands.h"

#include <QString>

#include <memory>

class QWidget;

namespace korvane {

class AccuracyDialog;
class FigureChooser;
class InputDialog;
class MessageSink;
class OpenFileDialog;
class ReductionDialog;
class SaveFileDialog;
class Settings;

struct WindowParts {
    InputDialog* input = nullptr;
    MessageSink* messages = nullptr;
    Settings* settings = nullptr;
    SaveFileDialog* saveFiles = nullptr;
    OpenFileDialog* openFiles = nullptr;
    FigureChooser* chooser = nullptr;
    AccuracyDialog* accuracy = nullptr;
    ReductionDialog* reduction = nullptr;
    ReportCommands::PrintJob print = {}; // empty: the default printer
    ReportCommands::PreviewJob preview = {};
    QString guide = {}; // the surveyor's guide; empty: the one beside the program
};

// The real dialogs and settings file for each part of `parts` left empty,
// owned here for the window's lifetime: afterwards no dialog, sink or
// settings pointer of `parts` is empty, nor the guide.
class RealParts {
public:
    RealParts(WindowParts& parts, QWidget* window);
    ~RealParts();
    RealParts(const RealParts&) = delete;
    RealParts& operator=(const RealParts&) = delete;

private:
    std::unique_ptr<InputDialog> input_;
    std::unique_ptr<MessageSink> messages_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<SaveFileDialog> saveFiles_;
    std::unique_ptr<OpenFileDialog> openFiles_;
    std::unique_ptr<FigureChooser> chooser_;
    std::unique_ptr<AccuracyDialog> accuracy_;
    std::unique_ptr<ReductionDialog> reduction_;
};

} // namespace korvane
