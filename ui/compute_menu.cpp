#include "compute_menu.h"

#include <QMenu>

#include <vector>

namespace korvane {

QString computeButtonToolTip()
{
    return QStringLiteral("左键平差计算；右键可设置测距精度");
}

void showComputeMenu(QWidget* parent, const QPoint& globalPosition, std::span<const MenuCommand> commands)
{
    QMenu menu(parent);
    std::vector<const QAction*> actions;
    for (const MenuCommand& command : commands)
        actions.push_back(menu.addAction(command.caption));
    // the command runs after the menu has closed, not inside its event loop
    const QAction* chosen = menu.exec(globalPosition);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && chosen == actions[i])
            commands[i].run();
}

} // namespace korvane
