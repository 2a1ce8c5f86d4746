#pragma once

// RESULTS.csv of the batch command: UTF-8 with a byte-order mark, CRLF, one
// row per figure of the input in its order. Every number has the digits the
// report prints (printed_digits.h); a figure that could not be computed has
// its fault in the status cell and the numbers empty.
//
//   名称,行,状态,S3,w,限差,ms,xp1,yp1,1/px1,1/py1,mx1,my1,md1,xp2,yp2,1/px2,1/py2,mx2,my2,md2,A点名,B点名,C点名,D点名
//
// S3, xp, yp in metres; w and its limit in seconds; ms, mx, my, md in
// millimetres. The suffix 1 is B, 2 is D, as xp1 and xp2 of the report. The
// points' names last, the letters where the file names none; empty for a
// line that holds no figure.

#include "point_names.h"
#include "records.h"

#include <string>
#include <string_view>

namespace korvane::files {

// the byte-order mark and the header line
std::string resultsHeader();

// A computed figure. `status` and `limit` come from the misclosure check.
void appendResultRow(std::string& out, std::string_view name, long line, std::string_view status,
                     std::string_view limit, const AdjustmentResult& result, const PointNames& points = letterNames);

// A figure that could not be computed, with the fault's message as its
// status; `points` nullptr for a line whose names were not read.
void appendFaultRow(std::string& out, std::string_view name, long line, std::string_view message,
                    const PointNames* points = nullptr);

} // namespace korvane::files
