#pragma once

// A context menu as a table: each row a caption, the key that runs the same
// command from the window (shown beside the caption), and the command.

#include <QKeySequence>
#include <QString>

#include <functional>
#include <span>

class QPoint;
class QWidget;

namespace korvane {

struct MenuCommand {
    QString caption;
    QKeySequence key; // empty: none
    std::function<void()> run;
};

// Opens the menu at `globalPosition` and runs the command chosen, if any,
// after the menu has closed.
void showCommandMenu(QWidget* parent, const QPoint& globalPosition, std::span<const MenuCommand> commands);

} // namespace korvane
