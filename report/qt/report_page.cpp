#include "report_page.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace korvane {

std::unique_ptr<QPrinter> reportPrinter()
{
    std::unique_ptr<QPrinter> printer;
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    printer->setDocName(QStringLiteral("Korvane"));
    printer->setCreator(QStringLiteral("Korvane"));
    return printer;
}

} // namespace korvane
