#pragma once

// The report's printer on a QPrinter. Twips become device pixels at the
// printer's resolution; a column is the average character width of the
// current font and a line its line spacing, both measured on the printer.
// The page is the printable area; a line that would pass its bottom goes to
// the top of a new page instead, at the vertical position where the document
// began, so a short page (Letter with wide margins) loses nothing.
//
// A figure from a file carries a running header above the report's lines on
// each of its pages (figure_title.h), in the margin above them, so that the
// lines themselves stand where they always stood.

#include "figure_title.h"
#include "printer.h"

#include <QFont>

#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace korvane {

class QtPrinter final : public Printer {
public:
    // Starts the document; throws PrintError (PrinterFailed) when the printer
    // cannot be opened. `printer` must outlive this object.
    explicit QtPrinter(QPrinter& printer);
    // Without endDocument the job is aborted: no half report is sent.
    ~QtPrinter() override;

    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    void setPosition(int xTwips, int yTwips) override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void printLine(const Line& items) override;
    void endDocument() override;

    // For a page drawn rather than written in lines (the page of the
    // figure): a new page, whose lines would start again at the top of the
    // document, and the painter of the document. newPage throws PrintError.
    void newPage();
    QPainter& painter() { return *painter_; }

    // The running header of this page and of every new page after it, drawn
    // at once; nothing: none from here on.
    void setRunningHeader(std::optional<RunningHeader> header);

private:
    qreal fromTwips(int twips) const;
    void paintRunningHeader();

    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    std::optional<RunningHeader> header_;
    qreal x_ = 0;
    qreal y_ = 0;
    qreal top_ = 0;
};

} // namespace korvane
