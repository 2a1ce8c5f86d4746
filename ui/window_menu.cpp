#include "window_menu.h"

#include "command_menu.h"

#include <vector>

namespace korvane {

QString copyResultsCaption()
{
    return QStringLiteral("复制全部结果");
}

QString exportPointsCaption()
{
    return QStringLiteral("导出坐标…");
}

void showWindowMenu(QWidget* parent, const QPoint& globalPosition, const WindowMenuCommands& commands)
{
    const std::vector<MenuCommand> menu{
        {copyResultsCaption(), commands.copyResults, QKeySequence::Copy},
        {exportPointsCaption(), commands.exportPoints},
    };
    showCommandMenu(parent, globalPosition, menu);
}

} // namespace korvane
