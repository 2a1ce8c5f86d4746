#include "qt_printer.h"

#include "print_error.h"
#include "report.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace korvane {
namespace {

constexpr qreal twipsPerInch = 1440;

// The running header stands in the top margin, clear above the report's
// first line at reportTopTwips, between the page of the figure's side
// margins, with a hairline under it.
constexpr int headerTopTwips = 400;
constexpr int headerSideTwips = 864;
constexpr int headerFontSize = 9;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

} // namespace

QtPrinter::QtPrinter(QPrinter& printer)
    : printer_(printer), painter_(std::make_unique<QPainter>())
{
    if (!painter_->begin(&printer_))
        throw PrintError(PrintError::Reason::PrinterFailed, "the printer could not start the document");
}

QtPrinter::~QtPrinter()
{
    if (painter_->isActive())
        printer_.abort();
}

qreal QtPrinter::fromTwips(int twips) const
{
    return twips * printer_.resolution() / twipsPerInch;
}

void QtPrinter::setPosition(int xTwips, int yTwips)
{
    x_ = fromTwips(xTwips);
    y_ = fromTwips(yTwips);
    top_ = y_;
}

void QtPrinter::setFontName(const std::string& name)
{
    font_.setFamily(QString::fromStdString(name));
    painter_->setFont(font_);
}

void QtPrinter::setFontSize(int points)
{
    font_.setPointSize(points);
    painter_->setFont(font_);
}

void QtPrinter::printLine(const Line& items)
{
    // measured on the printer, whose resolution differs from the screen's
    const QFontMetricsF metrics(font_, &printer_);
    const qreal lineHeight = metrics.lineSpacing();

    // y_ > top_: a line taller than the whole page is printed rather than
    // pushing page after page out empty
    if (y_ + lineHeight > printer_.height() && y_ > top_)
        newPage();

    // Texts and spaces up to the next column move are drawn as one run, so
    // the words of a label stay together as the font spaces them.
    QString run;
    const auto drawRun = [&] {
        if (run.isEmpty())
            return;
        painter_->drawText(QPointF(x_, y_ + metrics.ascent()), run);
        x_ += metrics.horizontalAdvance(run);
        run.clear();
    };
    for (const LineItem& item : items) {
        std::visit(Overloaded{
                       [&](const Text& text) { run += QString::fromStdString(text); },
                       [&](const Spaces& spaces) { run += QString(spaces.count, u' '); },
                       [&](const Column& column) {
                           drawRun();
                           x_ = (column.number - 1) * metrics.averageCharWidth();
                       },
                   },
                   item);
    }
    drawRun();

    x_ = 0;
    y_ += lineHeight;
}

void QtPrinter::newPage()
{
    if (!printer_.newPage())
        throw PrintError(PrintError::Reason::PrinterFailed, "the printer could not start a new page");
    y_ = top_;
    paintRunningHeader();
}

void QtPrinter::setRunningHeader(std::optional<RunningHeader> header)
{
    header_ = std::move(header);
    paintRunningHeader();
}

void QtPrinter::paintRunningHeader()
{
    if (!header_)
        return;
    painter_->save();
    QFont font(QString::fromUtf8(reportFontName));
    font.setPointSize(headerFontSize);
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    const qreal height = QFontMetricsF(font, &printer_).lineSpacing();
    const QRectF band(fromTwips(headerSideTwips), fromTwips(headerTopTwips),
                      printer_.width() - 2 * fromTwips(headerSideTwips), height);
    painter_->drawText(band, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(header_->left));
    painter_->drawText(band, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(header_->right));
    painter_->setPen(QPen(Qt::gray, std::max<qreal>(1, printer_.resolution() / 150.0)));
    painter_->drawLine(QLineF(band.bottomLeft(), band.bottomRight()).translated(0, height / 4));
    painter_->restore();
}

void QtPrinter::endDocument()
{
    if (!painter_->end() || printer_.printerState() == QPrinter::Error)
        throw PrintError(PrintError::Reason::PrinterFailed, "the printer did not accept the document");
}

} // namespace korvane
