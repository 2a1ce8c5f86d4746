#pragma once

// The context menu of 平差计算 (right click, or the Menu key on it): the
// compute's other ways in and out, a figure's observations read from or kept
// in a file. A new command is one more member here and one more row of the
// table in compute_menu.cpp.

#include <QKeySequence>
#include <QString>

#include <functional>

class QPoint;
class QWidget;

namespace korvane {

struct ComputeMenuCommands {
    std::function<void()> openObservations; // 打开观测文件…
    std::function<void()> saveObservations; // 保存观测文件…
};

QString openObservationsCaption();
QString saveObservationsCaption();
QKeySequence openObservationsKey();
QKeySequence saveObservationsKey();

void showComputeMenu(QWidget* parent, const QPoint& globalPosition, const ComputeMenuCommands& commands);

} // namespace korvane
