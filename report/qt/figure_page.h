#pragma once

// The report's page of the figure: the heading 网图与检核 (with the figure's
// name and line for a figure from a file), the network drawn to scale and
// its table below it (figure_drawing.h, figure_table.h); without a finished
// compute, the heading and the sentence that says so.

#include "figure_sheet.h"

#include <string>

class QPainter;
class QRectF;

namespace korvane {

// Draws the page on the current page of an open painter; `page` is the
// printable area in the painter's pixels. A document of several figures
// calls it once for each, after QtPrinter::newPage().
void paintFigurePage(QPainter& painter, const QRectF& page, const FigureOrNotice& figure);

// A page of a heading and a sentence under it, as the page of the figure
// without a finished compute has them: the batch's page of a line of its
// file that could not be computed, headed by the figure's name and line.
void paintNoticePage(QPainter& painter, const QRectF& page, const std::string& heading, const std::string& notice);

} // namespace korvane
