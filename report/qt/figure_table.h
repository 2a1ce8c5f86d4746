#pragma once

// The small table beside the drawing of a figure, on a widget and on the
// page alike: the check line (dark green when the figure passes, amber when
// its geometry is weak, red when it is beyond its limit), the scale the
// misclosure amounts to, the precision of B and D from the instrument and
// from ms, the measured sides and their reduction, the reliability of each
// side and what it sums up to, and where B and D landed. Laid out to a
// width, then painted.

#include "figure_sheet.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;

namespace korvane {

struct TableText {
    QRectF rect;
    QString text;
    QColor colour;
    int flags; // Qt::Alignment and Qt::TextWordWrap
    bool bold;
};

struct FigureTableLayout {
    QFont font;
    std::vector<TableText> texts;
    qreal height = 0;
};

// The table from `topLeft` down, no wider than `width` (a narrow width wraps
// the long texts and the headings), in the pixels of `device`.
FigureTableLayout layoutFigureTable(const FigureSheet& sheet, const QPointF& topLeft, qreal width, const QFont& font,
                                    QPaintDevice* device);

void paintFigureTable(QPainter& painter, const FigureTableLayout& layout);

// The width at which no heading of the table wraps.
qreal figureTableWidth(const FigureSheet& sheet, const QFont& font, QPaintDevice* device);

} // namespace korvane
