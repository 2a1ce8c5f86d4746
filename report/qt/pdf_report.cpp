#include "pdf_report.h"

#include "font_mapping.h"
#include "print_error.h"
#include "report_document.h"
#include "report_page.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>

namespace korvane {

void saveReportAsPdf(const QString& path, const Observations& observations, const AdjustmentResult& result,
                     const FigureOrNotice* figurePage, const RunningHeader* header)
{
    // Qt writes the document under a name and reports no fault of the disk
    // on the way; made in the private temporary folder, it is then written
    // to the chosen folder where every fault is seen.
    QTemporaryFile document(QDir::tempPath() + QStringLiteral("/korvane-XXXXXX.pdf"));
    if (!document.open()) {
        const int error = errno;
        throw FileError(fileErrorReason(error), QFile::encodeName(QDir::tempPath()).toStdString(), error);
    }
    document.close();
    const auto notMade = [&document] {
        return FileError(FileError::Reason::WriteFailed, QFile::encodeName(document.fileName()).toStdString(), 0);
    };

    mapLayoutFonts();
    std::unique_ptr<QPrinter> printer = reportPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(document.fileName());
    try {
        printReportDocument(*printer, observations, result, figurePage, header);
    } catch (const PrintError&) {
        throw notMade();
    }

    if (!document.open())
        throw notMade();
    const QByteArray bytes = document.readAll();
    // a document cut short by a full temporary folder lacks its last line
    if (!bytes.trimmed().endsWith("%%EOF"))
        throw notMade();
    writeWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()));
}

} // namespace korvane
