#include "command_menu.h"

#include <QMenu>

#include <vector>

namespace korvane {

void showCommandMenu(QWidget* parent, const QPoint& globalPosition, std::span<const MenuCommand> commands)
{
    QMenu menu(parent);
    std::vector<const QAction*> actions;
    for (const MenuCommand& command : commands) {
        QAction* action = menu.addAction(command.caption);
        action->setShortcut(command.shortcut);
        actions.push_back(action);
    }
    // the command runs after the menu has closed, not inside its event loop
    const QAction* chosen = menu.exec(globalPosition);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && chosen == actions[i])
            commands[i].run();
}

} // namespace korvane
