#include "report_book.h"

#include "font_mapping.h"
#include "print_error.h"
#include "qt_printer.h"
#include "report_page.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <optional>
#include <utility>

namespace korvane {

struct ReportBook::Document {
    explicit Document(const QString& path)
        : file(QFile::encodeName(path).toStdString()),
          pdf(QDir::tempPath() + QStringLiteral("/korvane-XXXXXX.pdf"))
    {
    }

    WholeFileWriter file;
    QTemporaryFile pdf;
    std::unique_ptr<QPrinter> printer;
    std::optional<QtPrinter> pages;
    bool started = false;
};

namespace {

FileError notMade(const QTemporaryFile& pdf)
{
    return FileError(FileError::Reason::WriteFailed, QFile::encodeName(pdf.fileName()).toStdString(), 0);
}

} // namespace

ReportBook::ReportBook(const QString& path) : document_(std::make_unique<Document>(path))
{
    // Qt writes the document under a name and reports no fault of the disk
    // on the way; made in the private temporary folder, it is then copied to
    // the chosen folder where every fault is seen.
    if (!document_->pdf.open()) {
        const int error = errno;
        throw FileError(fileErrorReason(error), QFile::encodeName(QDir::tempPath()).toStdString(), error);
    }
    document_->pdf.close();
    mapLayoutFonts();
    document_->printer = reportPrinter();
    document_->printer->setOutputFormat(QPrinter::PdfFormat);
    document_->printer->setOutputFileName(document_->pdf.fileName());
}

ReportBook::~ReportBook() = default;

bool ReportBook::empty() const
{
    return !document_->pages;
}

QtPrinter& ReportBook::nextPage(std::optional<RunningHeader> header)
{
    if (!document_->pages) {
        document_->pages.emplace(*document_->printer);
    } else {
        // the last figure's header stays on its own pages
        document_->pages->setRunningHeader(std::nullopt);
        document_->pages->newPage();
    }
    document_->pages->setRunningHeader(std::move(header));
    return *document_->pages;
}

void ReportBook::finish()
{
    try {
        document_->pages->endDocument();
    } catch (const PrintError&) {
        throw notMade(document_->pdf);
    }
    QTemporaryFile& pdf = document_->pdf;
    if (!pdf.open())
        throw notMade(pdf);
    // a document cut short by a full temporary folder lacks its last line
    constexpr qint64 tail = 64;
    if (pdf.size() < tail || !pdf.seek(pdf.size() - tail) || !pdf.read(tail).trimmed().endsWith("%%EOF")
        || !pdf.seek(0))
        throw notMade(document_->pdf);
    constexpr qint64 piece = 1 << 20;
    while (!pdf.atEnd()) {
        const QByteArray bytes = pdf.read(piece);
        if (bytes.isEmpty())
            throw notMade(document_->pdf);
        document_->file.write(std::string_view(bytes.constData(), bytes.size()));
    }
    document_->file.commit();
}

} // namespace korvane
