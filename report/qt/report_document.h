#pragma once

// The document that goes to paper, to the preview and into the PDF file: the
// report's lines on their pages, then, when the surveyor asks for it, the
// page of the figure.

#include "figure_sheet.h"
#include "records.h"

class QPrinter;

namespace korvane {

// Prints the document on `printer` and ends it. `figurePage`: the page of the
// figure after the report's, or nullptr for the report alone. Throws
// PrintError; the records are only read.
void printReportDocument(QPrinter& printer, const Observations& observations, const AdjustmentResult& result,
                         const FigureOrNotice* figurePage);

} // namespace korvane
