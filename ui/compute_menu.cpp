#include "compute_menu.h"

#include <QMenu>

namespace korvane {

QString figureWindowCaption()
{
    return QStringLiteral("网图与检核…");
}

void showComputeMenu(QWidget* parent, const QPoint& globalPosition, const std::function<void()>& openFigureWindow)
{
    QMenu menu(parent);
    QAction* figureAction = menu.addAction(figureWindowCaption());
    figureAction->setShortcut(Qt::Key_F3);
    // the command runs after the menu has closed, not inside its event loop
    if (menu.exec(globalPosition) == figureAction)
        openFigureWindow();
}

} // namespace korvane
