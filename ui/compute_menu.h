#pragma once

// The compute button's context menu (a right click or the Menu key): the
// window of the figure, which F3 also opens.

#include <QString>

#include <functional>

class QPoint;
class QWidget;

namespace korvane {

QString figureWindowCaption();

// Opens the menu at `globalPosition` and runs the command chosen, if any.
void showComputeMenu(QWidget* parent, const QPoint& globalPosition, const std::function<void()>& openFigureWindow);

} // namespace korvane
