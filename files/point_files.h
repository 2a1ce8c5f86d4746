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

#include <string>

namespace korvane::files {

// `observations` gives A and C, which the adjustment never changes.
std::string cassPointsText(const Observations& observations, const AdjustmentResult& result,
                           const PointNames& names = letterNames);
std::string csvPointsText(const Observations& observations, const AdjustmentResult& result,
                          const PointNames& names = letterNames);

} // namespace korvane::files
