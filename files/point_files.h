#pragma once

// The control points A, C and the new points B, D of one adjustment, for CAD
// and for spreadsheets, with the report's digits (printed_digits.h).
//
// Each point by its name (point_names.h), guarded where a spreadsheet would
// take it for a formula (csv_text.h): a .dat file opens in a spreadsheet too.
//
// CASS coordinate file (.dat), as CASS and AutoCAD-based survey software
// read it: one point a line, "name,code,Y,X,H", east before north, the code
// empty, heights 0.000 (Korvane computes none), CRLF; the name as it is,
// which isPointName keeps free of separators and quotes:
//   B,,1321.512,4415.873,0.000
//
// CSV: UTF-8 with a byte-order mark, header 点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米),
// the precision cells of A and C empty.

#include "point_names.h"
#include "records.h"

#include <array>
#include <string>
#include <string_view>

namespace korvane::files {

// `observations` gives A and C, which the adjustment never changes.
std::string cassPointsText(const Observations& observations, const AdjustmentResult& result,
                           const PointNames& names = letterNames);
std::string csvPointsText(const Observations& observations, const AdjustmentResult& result,
                          const PointNames& names = letterNames);

// The two kinds, by the file's suffix: ".csv" in any letter case is the
// spreadsheet's, any other name CASS's.
enum class PointsFormat { Cass, Csv };
PointsFormat pointsFormatOf(std::string_view path);

// One point of a figure, as both kinds write it.
struct FigurePoint {
    const std::string& name;
    double X; // north, m
    double Y; // east, m
    std::string x, y; // with the report's digits
    const PointPrecision* precision; // nullptr for a control point
};

// A, B, C, D of one adjustment, in that order
std::array<FigurePoint, 4> figurePoints(const Observations& observations, const AdjustmentResult& result,
                                        const PointNames& names);

// what a file of `format` starts with: the CSV's byte-order mark and header
std::string pointsHeader(PointsFormat format);
void appendPoint(std::string& out, PointsFormat format, const FigurePoint& point);

} // namespace korvane::files
