#pragma once

// The report's page of the figure: the heading 网图与检核, the network drawn
// to scale and its table below it (figure_drawing.h, figure_table.h); without
// a finished compute, the heading and the sentence that says so.

#include "figure_sheet.h"

class QPainter;
class QRectF;

namespace korvane {

// Draws the page on the current page of an open painter; `page` is the
// printable area in the painter's pixels. A document of several figures
// calls it once for each, after QtPrinter::newPage().
void paintFigurePage(QPainter& painter, const QRectF& page, const FigureOrNotice& figure);

} // namespace korvane
