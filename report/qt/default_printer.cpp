#include "default_printer.h"

#include "font_mapping.h"
#include "qt_printer.h"
#include "report.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace korvane {

void printReportOnDefaultPrinter(const Observations& observations, const AdjustmentResult& result)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        throw PrintError(PrintError::Reason::NoDefaultPrinter, "the system has no default printer");

    mapLayoutFonts();
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    // the name of the job in the printer's queue
    printer.setDocName(QStringLiteral("Korvane"));
    QtPrinter qtPrinter(printer);
    printReport(qtPrinter, observations, result);
}

} // namespace korvane
