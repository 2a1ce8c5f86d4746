#pragma once

// The batch command: every figure of an observation file computed with the
// same core as the window, without a display, into RESULTS.csv (one row per
// figure, results_table.h) and, when asked, REPORTS.pdf (the pages of every
// row in input order: a computed figure's report on the pages of the printed
// one, a row that failed a page that says why, each under the figure's name
// and line) and POINTS.dat or .csv (the points of every computed figure
// once each, project_points.h). It streams: one figure at a time is read,
// computed and written, so memory does not grow with the number of figures
// (the points file alone keeps the names it has met). Nothing is left
// half-written: each output takes its name only when it is whole, and no
// output may name the observation file or another output.

#include "figure_check.h"
#include "figure_compute.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korvane {
class QtPrinter;
}

namespace korvane::batch {

struct Options {
    std::string figures; // the observation file, file system encoding
    std::string results; // RESULTS.csv
    std::string reports; // REPORTS.pdf; empty: none
    std::string points;  // POINTS.dat or POINTS.csv; empty: none
    bool checkPage = false; // each report followed by the page of its figure
    DistanceAccuracy accuracy = defaultAccuracy;
};

enum ExitStatus : int {
    allPassed = 0,   // every figure computed and within its limit
    someFailed = 1,  // a figure could not be computed, or exceeded its limit
    couldNotRun = 2, // no such file, bad options, an output that cannot be written
};

// FIGURES-结果.csv beside FIGURES.csv
std::string defaultResultsPath(const std::string& figures);

// One page of a computed figure in REPORTS.pdf, printed on `printer` at the
// top of a new page under the figure's running header.
using FigurePage = std::function<void(QtPrinter& printer, const FigureCompute& figure)>;

// The pages each computed figure gets, in their order: the report, and with
// checkPage the page of its figure, drawn at the batch's accuracy.
std::vector<FigurePage> reportPages(const Options& options);

// The refusal of an output that names the observation file or an output
// before it (same_file.h), naming both; nothing when each is a file of its
// own.
std::optional<std::string> overwriteRefusal(const Options& options);

// Runs the batch and returns its exit status. The summary, a line for every
// row that failed or exceeded its limit, and the messages of a run that
// could not be made go to `err`; with `progressBar`, a run that takes more
// than a second shows its progress there.
int runBatch(const Options& options, std::ostream& err, bool progressBar);

} // namespace korvane::batch
