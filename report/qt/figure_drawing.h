#pragma once

// The network drawn to scale with QPainter, the same on a widget and on the
// printer's page: north (X) up and east (Y) right as on a survey plan; A and C
// as filled triangles, B and D as circles, each point named; the six sides,
// S3 heavier as the known side, each labelled; the error ellipses of B and D
// magnified by the sheet's round factor, with their axes; a scale bar in
// metres, one in millimetres for the ellipses, and an arrow to north.
//
// Laying out and painting are two steps, so that where each thing stands can
// be checked as a surveyor reads a plan. Sizes follow the font: the same
// drawing fits a small window and a page at 1200 dots per inch.

#include "figure_sheet.h"

#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;
class QPaintDevice;

namespace korvane {

struct DrawnEllipse {
    QPointF centre;
    QPointF majorEnd;  // the end of the semi-major axis towards its azimuth
    qreal semiMinor;   // pixels
};

struct ScaleBar {
    QLineF bar;
    QString text;      // "200 米", "5 毫米"
    QRectF textRect;
};

struct FigureLayout {
    QRectF area;
    QFont font;
    qreal unit = 0;                 // the font's height: every size is a share of it
    qreal pixelsPerMetre = 0;
    qreal pointRadius = 0;          // of the symbol of a point
    std::array<QPointF, 4> points;  // A, B, C, D
    std::array<QRectF, 4> names;
    std::array<QRectF, 6> sideLabels; // in the order of FigureSheet::sides
    std::array<DrawnEllipse, 2> ellipses;
    ScaleBar metres;
    ScaleBar millimetres;           // no bar when the ellipses are points
    QRectF magnificationRect;       // FigureSheet::magnificationText
    QLineF northArrow;              // from its foot to its tip
    QRectF northRect;
};

// Where everything stands in `area`, in the pixels of `device`, written in
// `font`. Labels and names go where they cover the fewest other things.
FigureLayout layoutFigure(const FigureSheet& sheet, const QRectF& area, const QFont& font, QPaintDevice* device);

void paintFigure(QPainter& painter, const FigureSheet& sheet, const FigureLayout& layout);

} // namespace korvane
