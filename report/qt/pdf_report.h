#pragma once

// The report as a PDF file: the same lines as on paper, on the same pages
// (see report_page.h), as real text that can be searched and copied.

#include "figure_sheet.h"
#include "figure_title.h"
#include "records.h"
#include "whole_file.h"

#include <QString>

namespace korvane {

// Writes the report to `path`, replacing a file of that name, whole or not at
// all; the page of the figure follows when `figurePage` is given, and each
// page carries `header` when it is given. Throws FileError; the records are
// only read.
void saveReportAsPdf(const QString& path, const Observations& observations, const AdjustmentResult& result,
                     const FigureOrNotice* figurePage = nullptr, const RunningHeader* header = nullptr);

} // namespace korvane
