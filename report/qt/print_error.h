#pragma once

// The print command's one call: the report of the stored values on the
// system's default printer.

#include "records.h"

#include <stdexcept>
#include <string>

namespace korvane {

class PrintError : public std::runtime_error {
public:
    enum class Reason {
        NoDefaultPrinter, // the system names no default printer
        PrinterFailed,    // the printer could not start, take a page or finish the job
    };

    PrintError(Reason reason, const std::string& what);

    Reason reason() const;

private:
    Reason reason_;
};

// Prints the report on the default printer as one job named "Korvane".
// Throws PrintError; the records are only read.
void printReportOnDefaultPrinter(const Observations& observations, const AdjustmentResult& result);

} // namespace korvane
