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

// The area within the page's margins, and its heading's height.
struct Content {
    QRectF area;
    qreal headingHeight;
    // where what follows the heading starts
    qreal below() const { return area.top() + 2 * headingHeight; }
};

// The heading stands where the report's title stands on its first page.
Content paintHeading(QPainter& painter, const QRectF& page, const std::string& heading)
{
    QPaintDevice* device = painter.device();
    const qreal dpi = device->logicalDpiY();
    const QRectF area = page.adjusted(sideMarginInches * dpi, reportTopTwips * dpi / twipsPerInch,
                                      -sideMarginInches * dpi, -bottomMarginInches * dpi);
    const QFont headingFont = reportFont(titleFontSize, true);
    const qreal headingHeight = QFontMetricsF(headingFont, device).height();
    painter.setFont(headingFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), headingHeight), Qt::AlignCenter,
                     QString::fromStdString(heading));
    return {area, headingHeight};
}

} // namespace

void paintNoticePage(QPainter& painter, const QRectF& page, const std::string& heading, const std::string& notice)
{
    painter.save();
    const Content content = paintHeading(painter, page, heading);
    const qreal y = content.below();
    painter.setFont(reportFont(bodyFontSize));
    painter.drawText(QRectF(content.area.left(), y, content.area.width(), content.area.bottom() - y),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(notice));
    painter.restore();
}

void paintFigurePage(QPainter& painter, const QRectF& page, const FigureOrNotice& figure)
{
    if (const auto* notice = std::get_if<std::string>(&figure)) {
        paintNoticePage(painter, page, figureHeading(), *notice);
        return;
    }
    const FigureSheet& sheet = std::get<FigureSheet>(figure);
    QPaintDevice* device = painter.device();
    const qreal dpi = device->logicalDpiY();

    painter.save();
    const Content headed = paintHeading(painter, page, sheet.heading);
    const QRectF& content = headed.area;
    const qreal y = headed.below();
    const QFont body = reportFont(bodyFontSize);

    // the drawing takes what the table leaves, up to a square
    const qreal room = content.bottom() - y;
    const qreal tableHeight = layoutFigureTable(sheet, QPointF(), content.width(), body, device).height;
    const qreal gap = headed.headingHeight;
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
