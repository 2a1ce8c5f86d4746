#include "compute_menu.h"

#include "command_menu.h"

#include <vector>

namespace korvane {

QString openObservationsCaption()
{
    return QStringLiteral("打开观测文件…");
}

QString saveObservationsCaption()
{
    return QStringLiteral("保存观测文件…");
}

QKeySequence openObservationsKey()
{
    return QKeySequence::Open;
}

QKeySequence saveObservationsKey()
{
    return QKeySequence::Save;
}

void showComputeMenu(QWidget* parent, const QPoint& globalPosition, const ComputeMenuCommands& commands)
{
    const std::vector<MenuCommand> menu{
        {openObservationsCaption(), openObservationsKey(), commands.openObservations},
        {saveObservationsCaption(), saveObservationsKey(), commands.saveObservations},
    };
    showCommandMenu(parent, globalPosition, menu);
}

} // namespace korvane
