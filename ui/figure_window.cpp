#include "figure_window.h"

#include "beside_placement.h"
#include "figure_drawing.h"
#include "figure_table.h"
#include "report.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace korvane {

namespace {

// the paper's face at the paper's sizes; the notice, alone in the window,
// larger; the table smaller, down to a size still read at a glance, where
// the window is too small to hold it whole
constexpr int noticePoints = 12;
constexpr int tablePoints = 10;
constexpr int smallestTablePoints = 7;
constexpr int drawingPoints = 9;

// pixels: room for the drawing beside its table; the narrowest keeps the
// table whole under a drawing as wide
constexpr QSize wantedSize(1060, 680);
constexpr QSize leastSize(480, 400);

QFont windowFont(int points)
{
    QFont font(QString::fromUtf8(reportFontName));
    font.setPointSize(points);
    return font;
}

struct Arrangement {
    QRectF drawing;
    FigureTableLayout table;
    bool tableFits;
};

// The table beside the drawing or below it, whichever leaves the drawing
// the larger square; whether the whole table then lies inside.
Arrangement arrange(const FigureSheet& sheet, const QRectF& inside, const QFont& font, QPaintDevice* device)
{
    const qreal u = QFontMetricsF(font, device).height();
    const qreal tableWidth = figureTableWidth(sheet, font, device);
    const QRectF left = inside.adjusted(0, 0, -(tableWidth + u), 0);
    const qreal tableHeight = layoutFigureTable(sheet, QPointF(), inside.width(), font, device).height;
    const QRectF top = inside.adjusted(0, 0, 0, -std::min(tableHeight + u, 0.6 * inside.height()));
    const auto side = [](const QRectF& r) { return std::min(r.width(), r.height()); };
    const bool beside = side(left) >= side(top);
    Arrangement arrangement;
    arrangement.drawing = beside ? left : top;
    const QPointF tableTopLeft =
        beside ? QPointF(left.right() + u, inside.top()) : QPointF(inside.left(), top.bottom() + u);
    arrangement.table = layoutFigureTable(sheet, tableTopLeft, beside ? tableWidth : inside.width(), font, device);
    arrangement.tableFits = tableTopLeft.y() + arrangement.table.height <= inside.bottom();
    return arrangement;
}

} // namespace

FigureWindow::FigureWindow(QWidget* parent) : QWidget(parent, Qt::Window), figure_(noFinishedComputeText())
{
    setObjectName(QStringLiteral("FigureWindow"));
    setWindowTitle(QString::fromStdString(figureHeading()));
    setMinimumSize(leastSize);
    resize(wantedSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
}

void FigureWindow::placeBeside(const QWidget& main, std::span<const QRect> results)
{
    // the window manager frames this window as it framed the main one
    const QMargins frame = main.windowHandle() ? main.windowHandle()->frameMargins() : QMargins();
    const int sides = frame.left() + frame.right();
    const QRect available = main.screen()->availableGeometry();
    const QRect placed =
        besideFrame(wantedSize.width() + sides, leastSize.width() + sides, main.frameGeometry(), results, available);
    const QSize inside = placed.size().shrunkBy(frame);
    // a screen too small for the least size takes the window whole
    setMinimumSize(leastSize.boundedTo(inside));
    resize(inside);
    // a window's move() places its frame
    move(placed.topLeft());
}

void FigureWindow::showFigure(FigureOrNotice figure)
{
    figure_ = std::move(figure);
    // a figure from a file by its name and line
    const auto* sheet = std::get_if<FigureSheet>(&figure_);
    setWindowTitle(QString::fromStdString(sheet ? sheet->heading : figureHeading()));
    update();
}

void FigureWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont font = windowFont(tablePoints);
    const QRectF whole(rect());
    if (const auto* notice = std::get_if<std::string>(&figure_)) {
        painter.setFont(windowFont(noticePoints));
        painter.drawText(whole, Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(*notice));
        return;
    }
    const FigureSheet& sheet = std::get<FigureSheet>(figure_);
    const qreal u = QFontMetricsF(font, this).height();
    const QRectF inside = whole.adjusted(u, u, -u, -u);

    Arrangement arrangement = arrange(sheet, inside, font, this);
    for (int points = tablePoints - 1; !arrangement.tableFits && points >= smallestTablePoints; --points)
        arrangement = arrange(sheet, inside, windowFont(points), this);
    paintFigure(painter, sheet, layoutFigure(sheet, arrangement.drawing, windowFont(drawingPoints), this));
    paintFigureTable(painter, arrangement.table);
}

} // namespace korvane
