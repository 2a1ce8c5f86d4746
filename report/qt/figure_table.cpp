#include "figure_table.h"

#include "check_colours.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace korvane {

namespace {

QColor verdictColour(FigureVerdict verdict)
{
    switch (verdict) {
    case FigureVerdict::BeyondLimit: return QColor(checkFailColour);
    case FigureVerdict::Weak: return QColor(checkWeakColour);
    case FigureVerdict::Sound: break;
    }
    return QColor(checkPassColour);
}

// the tables of the sheet in the order the table shows them; the reduction's
// only for reduced sides
std::vector<const SheetTable*> tablesOf(const FigureSheet& sheet)
{
    std::vector<const SheetTable*> tables{&sheet.aPrioriTable, &sheet.ellipseTable, &sheet.sideTable};
    if (!sheet.reductionTable.rows.empty())
        tables.push_back(&sheet.reductionTable);
    tables.push_back(&sheet.reliabilityTable);
    return tables;
}

constexpr qreal cellPadding = 1.2; // in units of the font's height, between columns
constexpr qreal rowSpacing = 1.2;
constexpr qreal sectionGap = 0.8;

// The width of each column's cells and of its heading, padding included.
struct ColumnWidths {
    std::vector<qreal> cells;
    std::vector<qreal> headings;
};

ColumnWidths columnWidths(const SheetTable& table, const QFontMetricsF& metrics, const QFontMetricsF& bold)
{
    const qreal pad = cellPadding * metrics.height();
    ColumnWidths widths{std::vector<qreal>(table.header.size(), 0), std::vector<qreal>(table.header.size(), 0)};
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        widths.headings[c] = bold.horizontalAdvance(QString::fromStdString(table.header[c])) + pad;
        for (const auto& row : table.rows)
            widths.cells[c] = std::max(widths.cells[c], metrics.horizontalAdvance(QString::fromStdString(row[c])) + pad);
    }
    return widths;
}

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

class TableWriter {
public:
    TableWriter(FigureTableLayout& layout, QPointF topLeft, qreal width, QPaintDevice* device)
        : layout_(layout), left_(topLeft.x()), y_(topLeft.y()), width_(width),
          metrics_(layout.font, device), bold_(boldOf(layout.font), device), u_(metrics_.height())
    {
    }

    // a text over the whole width, wrapped where it is too long
    void paragraph(const std::string& utf8, const QColor& colour)
    {
        const QString text = QString::fromStdString(utf8);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const qreal height = metrics_.boundingRect(QRectF(0, 0, width_, 1e9), flags, text).height();
        layout_.texts.push_back({QRectF(left_, y_, width_, height), text, colour, flags, false});
        y_ += height + sectionGap * u_;
    }

    // The columns as wide as their cells; headings wider than their cells
    // share what width is left and wrap.
    void table(const SheetTable& table)
    {
        const std::size_t columns = table.header.size();
        const auto [cells, headings] = columnWidths(table, metrics_, bold_);
        std::vector<qreal> widths(columns);
        qreal excess = 0;
        for (std::size_t c = 0; c < columns; ++c)
            excess += std::max<qreal>(headings[c] - cells[c], 0);
        const qreal spare = std::max<qreal>(width_ - std::accumulate(cells.begin(), cells.end(), qreal(0)), 0);
        for (std::size_t c = 0; c < columns; ++c) {
            const qreal wanted = std::max<qreal>(headings[c] - cells[c], 0);
            widths[c] = cells[c] + (excess <= spare ? wanted : wanted * spare / excess);
        }

        // the first column names, the others are numbers, right-aligned
        const auto alignment = [](std::size_t column) -> int {
            return column == 0 ? Qt::AlignLeft : Qt::AlignRight;
        };
        const qreal pad = cellPadding * u_;
        qreal headingHeight = 0;
        qreal x = left_;
        for (std::size_t c = 0; c < columns; ++c) {
            const QString text = QString::fromStdString(table.header[c]);
            const int flags = alignment(c) | Qt::AlignBottom | Qt::TextWordWrap;
            // a hair wider than measured, lest the heading wrap on a rounding;
            // the first, left-aligned, may take the padding after it too,
            // which a small screen font's bold needs
            const qreal textWidth = std::max<qreal>(widths[c] - (c == 0 ? 0 : pad) + 0.05 * u_, 1);
            const qreal height = bold_.boundingRect(QRectF(0, 0, textWidth, 1e9), flags, text).height();
            headingHeight = std::max(headingHeight, height);
            layout_.texts.push_back({QRectF(x + (c == 0 ? 0 : pad), y_, textWidth, 0), text, Qt::black, flags, true});
            x += widths[c];
        }
        // every heading stands on the same line at its foot
        for (std::size_t c = 0; c < columns; ++c)
            layout_.texts[layout_.texts.size() - columns + c].rect.setHeight(headingHeight);
        y_ += headingHeight + (rowSpacing - 1) * u_;

        for (const auto& row : table.rows) {
            x = left_;
            for (std::size_t c = 0; c < columns; ++c) {
                const QRectF rect(x + (c == 0 ? 0 : pad), y_, std::max<qreal>(widths[c] - pad, 1), u_);
                layout_.texts.push_back({rect, QString::fromStdString(row[c]), Qt::black,
                                         alignment(c) | Qt::AlignVCenter, false});
                x += widths[c];
            }
            y_ += rowSpacing * u_;
        }
        y_ += sectionGap * u_;
    }

    qreal bottom() const { return y_; }

private:
    FigureTableLayout& layout_;
    qreal left_;
    qreal y_;
    qreal width_;
    QFontMetricsF metrics_;
    QFontMetricsF bold_;
    qreal u_;
};

} // namespace

FigureTableLayout layoutFigureTable(const FigureSheet& sheet, const QPointF& topLeft, qreal width, const QFont& font,
                                    QPaintDevice* device)
{
    FigureTableLayout layout;
    layout.font = font;
    TableWriter writer(layout, topLeft, width, device);
    writer.paragraph(sheet.checkLine, verdictColour(sheet.verdict));
    if (!sheet.scaleLine.empty())
        writer.paragraph(sheet.scaleLine, Qt::black);
    for (const SheetTable* table : tablesOf(sheet))
        writer.table(*table);
    writer.paragraph(sheet.reliabilitySentence, Qt::black);
    if (!sheet.blunderAdvice.empty())
        writer.paragraph(sheet.blunderAdvice, Qt::black);
    writer.paragraph(sheet.sidesSentence, Qt::black);
    layout.height = writer.bottom() - topLeft.y();
    return layout;
}

qreal figureTableWidth(const FigureSheet& sheet, const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device), bold(boldOf(font), device);
    qreal widest = 0;
    for (const SheetTable* table : tablesOf(sheet)) {
        const auto [cells, headings] = columnWidths(*table, metrics, bold);
        qreal width = 0;
        for (std::size_t c = 0; c < cells.size(); ++c)
            width += std::max(cells[c], headings[c]);
        widest = std::max(widest, width);
    }
    return widest;
}

void paintFigureTable(QPainter& painter, const FigureTableLayout& layout)
{
    painter.save();
    QFont bold = layout.font;
    bold.setBold(true);
    for (const TableText& text : layout.texts) {
        painter.setFont(text.bold ? bold : layout.font);
        painter.setPen(text.colour);
        painter.drawText(text.rect, text.flags, text.text);
    }
    painter.restore();
}

} // namespace korvane
