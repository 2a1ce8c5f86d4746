#pragma once

// Many reports in one PDF file, on the pages the printed report has
// (report_page.h), each figure's pages starting on a new page in the order
// they are added: the batch command's REPORTS.pdf. The document is made in
// the private temporary folder and then written to its name whole or not at
// all, in pieces, so its size never has to fit in memory.

#include "figure_title.h"

#include <QString>

#include <memory>
#include <optional>

namespace korvane {

class QtPrinter;

class ReportBook {
public:
    // Checks at once that the folder of `path` can take the file. Throws
    // FileError.
    explicit ReportBook(const QString& path);
    ~ReportBook();
    ReportBook(const ReportBook&) = delete;
    ReportBook& operator=(const ReportBook&) = delete;

    // The printer for the first page of the next figure: the document's first
    // page, or a new page after the last one; that page and every one after
    // it carry `header` until the next figure's. Throws PrintError.
    QtPrinter& nextPage(std::optional<RunningHeader> header = std::nullopt);

    // nothing printed yet
    bool empty() const;

    // Ends the document and writes the file under its name; a book must not
    // be empty. Throws FileError.
    void finish();

private:
    struct Document;
    std::unique_ptr<Document> document_;
};

} // namespace korvane
