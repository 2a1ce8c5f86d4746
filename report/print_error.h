#pragma once

// What goes wrong on the way to paper, in the terms the window tells the
// surveyor.

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

} // namespace korvane
