#pragma once

// 导出坐标…: the points A, B, C, D of the last compute in a file for CAD
// (CASS .dat) or for a spreadsheet (.csv), by the file type chosen in the
// dialog. Written whole or not at all; a fault becomes a message.

#include "records.h"

#include <QString>

namespace korvane {

class MessageSink;
class SaveFileDialog;

class PointExport {
public:
    void run(SaveFileDialog& files, MessageSink& messages, const Observations& observations,
             const AdjustmentResult& result);

private:
    QString folder_; // the folder used last, offered next time
};

} // namespace korvane
