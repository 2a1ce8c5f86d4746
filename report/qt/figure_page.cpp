#include "figure_page.h"

#include "figure_drawing.h"
#include "figure_table.h"
#include "report.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace korvane {

namespace {

constexpr qreal twipsPerInch = 1440;
constexpr qreal sideMarginInches = 0.6;
constexpr qreal bottomMarginInches = 0.5;
constexpr int drawingFontSize = 9;

QFont reportFont(int points, bool bold = false)
{
    QFont font(QString::fromUtf8(reportFontName));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

void paintFigurePage(QPainter& painter, const QRectF& page, const FigureOrNotice& figure)
{
    QPaintDevice* device = painter.device();
    const qreal dpi = device->logicalDpiY();
    // the heading stands where the report's title stands on its first page
    const QRectF content = page.adjusted(sideMarginInches * dpi, reportTopTwips * dpi / twipsPerInch,
                                         -sideMarginInches * dpi, -bottomMarginInches * dpi);

    painter.save();
    const QFont headingFont = reportFont(titleFontSize, true);
    const qreal headingHeight = QFontMetricsF(headingFont, device).height();
    painter.setFont(headingFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(content.left(), content.top(), content.width(), headingHeight), Qt::AlignCenter,
                     QString::fromStdString(figureHeading()));
    qreal y = content.top() + 2 * headingHeight;

    const QFont body = reportFont(bodyFontSize);
    if (const auto* notice = std::get_if<std::string>(&figure)) {
        painter.setFont(body);
        painter.drawText(QRectF(content.left(), y, content.width(), content.bottom() - y),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(*notice));
        painter.restore();
        return;
    }
    const FigureSheet& sheet = std::get<FigureSheet>(figure);

    // the drawing takes what the table leaves, up to a square
    const qreal room = content.bottom() - y;
    const qreal tableHeight = layoutFigureTable(sheet, QPointF(), content.width(), body, device).height;
    const qreal gap = headingHeight;
    const qreal drawingHeight =
        std::clamp(room - tableHeight - gap, 0.35 * room, std::max(0.35 * room, content.width()));
    const QRectF drawingArea(content.left(), y, content.width(), drawingHeight);
    painter.setPen(QPen(Qt::gray, std::max<qreal>(1, dpi / 150)));
    painter.drawRect(drawingArea);
    paintFigure(painter, sheet, layoutFigure(sheet, drawingArea, reportFont(drawingFontSize), device));
    paintFigureTable(painter, layoutFigureTable(sheet, QPointF(content.left(), drawingArea.bottom() + gap),
                                                content.width(), body, device));
    painter.restore();
}

} // namespace korvane
