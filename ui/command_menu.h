#pragma once

// A context menu as a table of commands, each a caption and what it runs,
// so that a new command is one more row where Form1 wires them.

#include <QKeySequence>
#include <QString>

#include <functional>
#include <span>

class QPoint;
class QWidget;

namespace korvane {

struct MenuCommand {
    QString caption;
    std::function<void()> run;
    // shown beside the caption when the window has a key of its own for it
    QKeySequence shortcut = {};
};

// Opens the menu at `globalPosition` and runs the command chosen, if any,
// once the menu has closed.
void showCommandMenu(QWidget* parent, const QPoint& globalPosition, std::span<const MenuCommand> commands);

} // namespace korvane
