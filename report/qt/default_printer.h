#pragma once

// The print command's one call: the report of the stored values on the
// system's default printer.

#include "figure_sheet.h"
#include "figure_title.h"
#include "print_error.h"
#include "records.h"

#include <QString>

namespace korvane {

// Prints the report on the default printer as one job named "Korvane",
// followed by the page of the figure when `figurePage` is given, each page
// under `header` when it is given, and returns the name of the printer that
// took it. Throws PrintError; the records are only read.
QString printReportOnDefaultPrinter(const Observations& observations, const AdjustmentResult& result,
                                 const FigureOrNotice* figurePage = nullptr, const RunningHeader* header = nullptr);

} // namespace korvane
