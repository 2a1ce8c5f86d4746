#pragma once

// The page the report is laid out on, wherever it goes: the default printer's
// paper and margins, or A4 when the system names no printer. The preview and
// the PDF file use it too, so that they break the report into the same pages
// as the paper.

#include <memory>

class QPrinter;

namespace korvane {

// The default printer, or an A4 PDF page without one; in both cases at high
// resolution, with the document named "Korvane" as the printer's queue and
// the PDF's title show it.
std::unique_ptr<QPrinter> reportPrinter();

} // namespace korvane
