#pragma once

// The results out of the window, the family of the window's own context
// menu: 复制全部结果 puts every value on the clipboard as a table
// (result_copy.h), 导出坐标… writes the points A, B, C, D of the last compute
// by their names in a file for CAD (CASS .dat) or for a spreadsheet (.csv),
// by the file type chosen in the dialog, whole or not at all. Both are refused after a
// compute that stopped halfway; a fault of the disk becomes a message.

#include "figure_compute.h"

#include <QObject>
#include <QString>

#include <string>

namespace korvane {

class MessageSink;
class SaveFileDialog;

class ResultCommands final : public QObject {
    Q_OBJECT

public:
    ResultCommands(const FigureCompute& compute, SaveFileDialog& files, MessageSink& messages,
                   QObject* parent = nullptr);

public slots:
    void copyAll();
    void exportPoints();

private:
    // after a compute that stopped halfway: says `message` and refuses
    bool refused(const std::string& message);

    const FigureCompute& compute_;
    SaveFileDialog& files_;
    MessageSink& messages_;
    QString folder_; // the folder the points went to last, offered next time
};

} // namespace korvane
