#pragma once

// The printed report of one adjustment: the control points, the observed and
// the adjusted sides, the misclosure, K, ms, and the coordinates of B and D
// with their precision, one label and value per line.
//
// It only reads the records. Before any computation they hold zeros, and the
// report prints every zero in the pattern of its line, so a blank run is
// recognisable on paper.

#include "printer.h"
#include "records.h"

#include <variant>
#include <vector>

namespace korvane {

// Where the report starts on the page, and the font of its title. A new page
// starts again at reportTopTwips.
inline constexpr int reportLeftTwips = 2000;
inline constexpr int reportTopTwips = 1000;
inline constexpr const char* reportFontName = "宋体";
inline constexpr int titleFontSize = 12;
inline constexpr int bodyFontSize = 10;

struct FontSize {
    int points;
    bool operator==(const FontSize&) const = default;
};

// A line, or a change of font size before the next line.
using ReportStep = std::variant<Line, FontSize>;

// The 57 lines of the report, with the switch from the title size to the body
// size after the third.
std::vector<ReportStep> reportSteps(const Observations& o, const AdjustmentResult& r);

// Sets up the page and prints every step, leaving the document open for a
// page that follows the report's lines.
void printReportLines(Printer& printer, const Observations& observations, const AdjustmentResult& result);

// Sets up the page, prints every step and ends the document.
void printReport(Printer& printer, const Observations& observations,
                 const AdjustmentResult& result);

} // namespace korvane
