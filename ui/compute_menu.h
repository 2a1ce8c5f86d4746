#pragma once

// The context menu of the compute button (平差计算; a right click or the Menu
// key): the compute's other ways in and out (a figure's observations from a
// file or into one), the distance meter's accuracy and the window of the
// figure. Form1 lists them as rows of a command menu (command_menu.h).

#include <QKeySequence>
#include <QString>

namespace korvane {

QString computeButtonToolTip();
QString figureWindowCaption();
QString openObservationsCaption();
QString saveObservationsCaption();
QKeySequence openObservationsKey();
QKeySequence saveObservationsKey();

} // namespace korvane
