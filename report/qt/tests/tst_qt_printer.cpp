#include "qt_printer.h"

#include "field_run.h"
#include "pdf_report.h"
#include "print_error.h"
#include "report.h"
#include "report_text.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvane {
namespace {

using testing::fieldObservations;
using testing::fieldResult;
using testing::PrintedLine;
using testing::printedLines;

constexpr double pointsPerInch = 72;

// One line of text as pdftotext finds it on the page, in points from the
// top left corner of the page.
struct PageLine {
    int page;
    double left;
    double top;
    double bottom;
    QString text; // words joined by single spaces
};

std::vector<PageLine> linesOfPdf(const QString& path, int* pageCount)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox-layout", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) did not run";
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());

    std::vector<PageLine> lines;
    int page = 0;
    QStringList words;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto attribute = [&](const char* name) { return xml.attributes().value(name).toDouble(); };
        if (xml.isStartElement() && xml.name() == u"page") {
            ++page;
        } else if (xml.isStartElement() && xml.name() == u"line") {
            lines.push_back({page, attribute("xMin"), attribute("yMin"), attribute("yMax"), {}});
            words.clear();
        } else if (xml.isStartElement() && xml.name() == u"word") {
            words << xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"line") {
            lines.back().text = words.join(' ');
        }
    }
    // pdftotext cuts a line at a wide gap (the blanks before "ms="): join
    // what stands on one row again, reading left to right
    std::sort(lines.begin(), lines.end(), [](const PageLine& a, const PageLine& b) {
        return a.page != b.page ? a.page < b.page
               : std::abs(a.top - b.top) > 2 ? a.top < b.top
                                             : a.left < b.left;
    });
    std::vector<PageLine> rows;
    for (const PageLine& line : lines) {
        if (!rows.empty() && rows.back().page == line.page && std::abs(rows.back().top - line.top) <= 2) {
            rows.back().text += ' ' + line.text;
            rows.back().bottom = std::max(rows.back().bottom, line.bottom);
        } else {
            rows.push_back(line);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    *pageCount = page;
    return rows;
}

// The names of the fonts embedded in the PDF.
QStringList fontsOfPdf(const QString& path)
{
    QProcess pdffonts;
    pdffonts.start("pdffonts", {path});
    EXPECT_TRUE(pdffonts.waitForFinished(30000)) << "pdffonts (poppler-utils) did not run";
    QStringList names;
    // two header lines, then one font a line, its name first
    const QStringList rows = QString::fromUtf8(pdffonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < rows.size(); ++i)
        names << rows[i].section(' ', 0, 0);
    return names;
}

struct PrintedPdf {
    std::vector<PageLine> lines;
    int pages = 0;
    double lineSpacing10 = 0; // points
    double lineSpacing12 = 0;
    double column10 = 0;      // width of one column at 10 points, in points
    QStringList fonts;
};

PrintedPdf printToPdf(QPageSize::PageSizeId size, QMarginsF marginsInInches)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(size));
    printer.setPageMargins(marginsInInches, QPageLayout::Inch);
    {
        QtPrinter qtPrinter(printer);
        printReport(qtPrinter, fieldObservations(), fieldResult());
    }

    PrintedPdf pdf;
    pdf.lines = linesOfPdf(path, &pdf.pages);
    pdf.fonts = fontsOfPdf(path);
    const double toPoints = pointsPerInch / printer.resolution();
    QFont font(QString::fromUtf8(reportFontName), bodyFontSize);
    pdf.lineSpacing10 = QFontMetricsF(font, &printer).lineSpacing() * toPoints;
    pdf.column10 = QFontMetricsF(font, &printer).averageCharWidth() * toPoints;
    font.setPointSize(titleFontSize);
    pdf.lineSpacing12 = QFontMetricsF(font, &printer).lineSpacing() * toPoints;
    return pdf;
}

// Every line of the report is on paper once, in its order.
void expectAllLinesInOrder(const PrintedPdf& pdf, const std::vector<PrintedLine>& expected)
{
    ASSERT_EQ(pdf.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(pdf.lines[i].text.toStdString(), expected[i].text.toStdString())
            << "report line " << expected[i].number;
}

TEST(QtPrinter, A4PageHoldsTheReportOnItsColumnGridAndLineSpacing)
{
    const PrintedPdf pdf = printToPdf(QPageSize::A4, {0.5, 0.5, 0.5, 0.5});
    const std::vector<PrintedLine> expected = printedLines(fieldObservations(), fieldResult());
    EXPECT_EQ(pdf.pages, 1);
    expectAllLinesInOrder(pdf, expected);
    // "宋体" is one face with the Chinese and the Latin characters: a
    // fallback face for some of them would bring its own heights and widths
    EXPECT_EQ(pdf.fonts.size(), 1) << pdf.fonts.join(", ").toStdString();
    ASSERT_EQ(pdf.lines.size(), expected.size());

    // the first line stands 1000 twips below the top of the printable area
    const double top = 0.5 * pointsPerInch + reportTopTwips / 20.0;
    EXPECT_NEAR(pdf.lines[0].top, top, 3.0);

    // Rows: line n of the body lies n - 4 body lines below line 4, which lies
    // three title lines below line 1; blank lines take their place.
    const double line4 = pdf.lines[1].top;
    EXPECT_NEAR(line4 - pdf.lines[0].top, 3 * pdf.lineSpacing12, 0.5);
    for (std::size_t i = 1; i < expected.size(); ++i) {
        SCOPED_TRACE("report line " + std::to_string(expected[i].number));
        EXPECT_NEAR(pdf.lines[i].top - line4, (expected[i].number - 4) * pdf.lineSpacing10, 0.5);
        EXPECT_GE(pdf.lines[i].top, pdf.lines[i - 1].bottom - 0.01) << "overlaps the line above";
    }

    // Columns: every line starts on the grid of its font, counted from the
    // left edge of the printable area, whatever was printed before.
    const double left = 0.5 * pointsPerInch;
    for (std::size_t i = 1; i < expected.size(); ++i) {
        SCOPED_TRACE("report line " + std::to_string(expected[i].number));
        EXPECT_NEAR(pdf.lines[i].left, left + (expected[i].column - 1) * pdf.column10, 1.0);
    }
}

TEST(QtPrinter, ShortPageContinuesAtTheTopOfTheNextPage)
{
    // Letter with wide margins leaves four inches of height: about 18 lines
    const PrintedPdf pdf = printToPdf(QPageSize::Letter, {1.5, 3.5, 1.5, 3.5});
    const std::vector<PrintedLine> expected = printedLines(fieldObservations(), fieldResult());
    EXPECT_GE(pdf.pages, 3);
    expectAllLinesInOrder(pdf, expected);

    const double top = 3.5 * pointsPerInch + reportTopTwips / 20.0;
    const double bottom = (11 - 3.5) * pointsPerInch;
    for (std::size_t i = 0; i < pdf.lines.size(); ++i) {
        SCOPED_TRACE("line " + pdf.lines[i].text.toStdString());
        EXPECT_LE(pdf.lines[i].bottom, bottom + 0.5) << "runs past the bottom of the printable area";
        const bool firstOnPage = i == 0 || pdf.lines[i].page != pdf.lines[i - 1].page;
        // a page may begin with a blank line, so the first text may stand one line lower
        if (firstOnPage) {
            EXPECT_GE(pdf.lines[i].top, top - 3.0) << "above the report's top margin";
            EXPECT_LE(pdf.lines[i].top, top + pdf.lineSpacing10 + 3.0);
        }
    }
}

TEST(QtPrinter, UnwritableOutputIsAPrinterFailure)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/report.pdf");
    try {
        QtPrinter qtPrinter(printer);
        printReport(qtPrinter, {}, {});
        FAIL() << "printed into a folder that does not exist";
    } catch (const PrintError& error) {
        EXPECT_EQ(error.reason(), PrintError::Reason::PrinterFailed);
    }
}

// The tests' CUPS_SERVER names a socket that is not there: no printer is
// reachable, and the report is saved on an A4 page of its own.
TEST(PdfReport, WithoutAPrinterIsAnA4PageTitledAndMadeByKorvane)
{
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "a printer is reachable through CUPS_SERVER";
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    saveReportAsPdf(path, fieldObservations(), fieldResult());

    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {path});
    ASSERT_TRUE(pdfinfo.waitForFinished(30000)) << "pdfinfo (poppler-utils) did not run";
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    const auto field = [&info](const char* name) {
        return QRegularExpression(QString("^%1:\\s*(.*)$").arg(name), QRegularExpression::MultilineOption)
            .match(info)
            .captured(1)
            .trimmed();
    };
    EXPECT_EQ(field("Title"), "Korvane");
    EXPECT_EQ(field("Creator"), "Korvane");
    // A4 is 210 x 297 mm; Letter, 612 x 792 points, would be the wrong paper
    const QStringList size = field("Page size").split(' ');
    ASSERT_GE(size.size(), 3) << info.toStdString();
    EXPECT_NEAR(size[0].toDouble(), 210 / 25.4 * pointsPerInch, 0.5);
    EXPECT_NEAR(size[2].toDouble(), 297 / 25.4 * pointsPerInch, 0.5);
}

} // namespace
} // namespace korvane
