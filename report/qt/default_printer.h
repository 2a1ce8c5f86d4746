#pragma once

// The print command's one call: the report of the stored values on the
// system's default printer.

#include "print_error.h"
#include "records.h"

namespace korvane {

// Prints the report on the default printer as one job named "Korvane".
// Throws PrintError; the records are only read.
void printReportOnDefaultPrinter(const Observations& observations, const AdjustmentResult& result);

} // namespace korvane
