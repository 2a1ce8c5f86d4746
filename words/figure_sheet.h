#pragma once

// What the drawing of a figure and the table beside it show, as plain data in
// the surveyor's units: the four points (X north, Y east, metres), the six
// sides with their labels, the error ellipses of B and D with the round
// factor that magnifies them, and the texts of the table. The window and the
// report's page of the figure draw it (report/qt/figure_drawing.h); nothing
// here knows Qt. Every number is written by number_text.h, so no locale
// reaches a digit.

#include "adjustment_terms.h"
#include "figure_check.h"
#include "figure_compute.h"
#include "figure_identity.h"
#include "records.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace korvane {

struct SheetPoint {
    std::string name; // "A" ... "D", or the name the file gives the point
    double X;         // northing, m
    double Y;         // easting, m
    bool known;       // a control point
};

// indices into FigureSheet::points
enum SheetPointIndex { pointA, pointB, pointC, pointD };

struct SheetSide {
    const char* name; // "S1" ... "S6"
    int from;         // SheetPointIndex
    int to;
    bool known;         // S3, from the control coordinates
    std::string label;  // "S1 902.0979 (v -2.7)", "S3 1385.9476 (已知边)"
};

struct SheetEllipse {
    int point;        // pointB or pointD
    ErrorEllipse ellipse;
};

// A small table: the header, then one row of cells per line.
struct SheetTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

struct FigureSheet {
    std::string heading;                  // as figureHeading() writes it
    std::array<SheetPoint, 4> points;     // A, B, C, D
    std::array<SheetSide, 6> sides;       // S1 A-B, S2 B-C, S3 A-C, S4 C-D, S5 D-A, S6 B-D
    std::array<SheetEllipse, 2> ellipses; // of B, of D

    // The ellipses are drawn this many times their size: a round number (1, 2
    // or 5 times a power of ten) that makes the larger semi-major axis more
    // than 4.8 % and at most 12 % of the figure's extent (the larger of its
    // spans north and east), so that it is clearly seen. Zero when both
    // ellipses are points.
    double magnification = 0.0;
    std::string magnificationText;    // "误差椭圆放大 20000 倍", or that they are points
    double millimetreBar = 0.0;       // length of the ellipses' scale bar, a round number of mm
    std::string millimetreBarText;    // "5 毫米"

    std::string checkLine;            // as misclosureCheckLine() writes it
    bool withinLimit = false;
    SheetTable ellipseTable;          // B and D by their names: E, F (mm, 2 decimals), phi (degrees, 1 decimal)
    SheetTable sideTable;             // S1 ... S6: measured, v (mm), m_i (mm), 1 decimal each
    std::string sidesSentence;        // "B 在 A→C 的左侧，D 在右侧", the points by their names
};

// The sheet of a finished compute: `adjusted` as adjust() left it, the terms
// it filled, the accuracy of the check, and which figure it is. Throws
// AdjustmentError (Stage::Check) as checkFigure() does.
FigureSheet figureSheet(const Observations& adjusted, const AdjustmentResult& result, const AdjustmentTerms& terms,
                        DistanceAccuracy accuracy, const FigureIdentity& figure = {});

// What the window and the page show: the sheet, or a sentence that says why
// there is none.
using FigureOrNotice = std::variant<FigureSheet, std::string>;

// before a compute has finished, or after one that stopped
std::string noFinishedComputeText();

// The figure of the last compute of `compute`, judged at its accuracy: the
// sheet of a compute that finished; otherwise, or when the check cannot be
// formed, the sentence that says why there is none. The records of a
// compute that stopped halfway mix two runs and are never drawn.
FigureOrNotice figureOf(const FigureCompute& compute);

// The heading of the window and of the report's page: "网图与检核", and for
// a figure from a file its name and line after it (figure_title.h).
std::string figureHeading(const FigureIdentity& figure = {});

// The largest of 1, 2 and 5 times a power of ten that is at most `limit`
// (> 0): the length of a scale bar or a magnification a reader can take in.
double roundNumberAtMost(double limit);

// A round number as written on a scale bar: "200", "0.05".
std::string roundNumberText(double value);

// The metres scale bar's words: "200 米".
std::string metresBarText(double metres);

} // namespace korvane
