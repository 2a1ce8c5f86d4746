#include "report_document.h"

#include "figure_page.h"
#include "qt_printer.h"
#include "report.h"

#include <QPrinter>

namespace korvane {

void printReportDocument(QPrinter& printer, const Observations& observations, const AdjustmentResult& result,
                         const FigureOrNotice* figurePage, const RunningHeader* header)
{
    QtPrinter qtPrinter(printer);
    if (header)
        qtPrinter.setRunningHeader(*header);
    printReportLines(qtPrinter, observations, result);
    if (figurePage) {
        qtPrinter.newPage();
        paintFigurePage(qtPrinter.painter(), QRectF(0, 0, printer.width(), printer.height()), *figurePage);
    }
    qtPrinter.endDocument();
}

} // namespace korvane
