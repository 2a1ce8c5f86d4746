#include "default_printer.h"

#include "font_mapping.h"
#include "report_document.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace korvane {

QString printReportOnDefaultPrinter(const Observations& observations, const AdjustmentResult& result,
                                 const FigureOrNotice* figurePage, const RunningHeader* header)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        throw PrintError(PrintError::Reason::NoDefaultPrinter, "the system has no default printer");

    mapLayoutFonts();
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    // the name of the job in the printer's queue
    printer.setDocName(QStringLiteral("Korvane"));
    printReportDocument(printer, observations, result, figurePage, header);
    return defaultPrinter.printerName();
}

} // namespace korvane
