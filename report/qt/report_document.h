#pragma once

// The document that goes to paper, to the preview and into the PDF file: the
// report's lines on their pages, then, when the surveyor asks for it, the
// page of the figure; for a figure from a file, the running header above
// each page.

#include "figure_sheet.h"
#include "figure_title.h"
#include "records.h"

class QPrinter;

namespace korvane {

// Prints the document on `printer` and ends it. `figurePage`: the page of the
// figure after the report's, or nullptr for the report alone; `header`: the
// running header of every page, or nullptr for none. Throws PrintError; the
// records are only read.
void printReportDocument(QPrinter& printer, const Observations& observations, const AdjustmentResult& result,
                         const FigureOrNotice* figurePage, const RunningHeader* header = nullptr);

} // namespace korvane
