#pragma once

// The window's own context menu (a right click on its background): the
// results out of the window, to the clipboard or to a file for CAD.

#include <QKeySequence>
#include <QString>

#include <functional>

class QPoint;
class QWidget;

namespace korvane {

struct WindowMenuCommands {
    std::function<void()> copyResults;  // 复制全部结果
    std::function<void()> exportPoints; // 导出坐标…
};

QString copyResultsCaption();
QString exportPointsCaption();

void showWindowMenu(QWidget* parent, const QPoint& globalPosition, const WindowMenuCommands& commands);

} // namespace korvane
