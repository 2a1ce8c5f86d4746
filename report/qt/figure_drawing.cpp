#include "figure_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace korvane {

namespace {

constexpr qreal millimetresPerMetre = 1000.0;
constexpr qreal degreesPerRadian = 180.0 / std::numbers::pi;

// in units of the font's height
constexpr qreal pointSymbol = 0.4;
constexpr qreal labelGap = 0.25;
constexpr qreal labelPadding = 0.4;
constexpr qreal barRow = 1.4;
constexpr qreal figureMargin = 2.0;

const QColor measuredSideColour(0x1f, 0x3a, 0x93);
const QColor knownSideColour(Qt::black);
const QColor ellipseColour(0xc0, 0x00, 0x00);

qreal length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

QPointF unit(QPointF v)
{
    const qreal size = length(v);
    return size > 0 ? v / size : QPointF(0, -1);
}

// The rectangle of `size` beside `anchor` towards `direction` (of length
// one), its nearest edge `gap` from the anchor across that direction.
QRectF beside(QPointF anchor, QPointF direction, qreal gap, QSizeF size)
{
    const qreal reach = std::abs(direction.x()) * size.width() / 2 + std::abs(direction.y()) * size.height() / 2;
    const QPointF centre = anchor + direction * (gap + reach);
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

bool crosses(const QLineF& segment, const QRectF& rect)
{
    if (rect.contains(segment.p1()) || rect.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges), [&](const QLineF& edge) {
        return segment.intersects(edge, nullptr) == QLineF::BoundedIntersection;
    });
}

qreal overlapShare(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    if (common.isEmpty())
        return 0;
    return common.width() * common.height() / (a.width() * a.height());
}

// A place a text may take, and what it costs before anything lies under it:
// the later of equal places, or one that hides its own side.
struct Candidate {
    QRectF rect;
    qreal cost;
};

// Puts the names and labels where they cover least: another text (worst), a
// point or an ellipse, another side; outside the drawing a text would be cut
// off. Each text goes first where the texts before it leave room, then, once
// all stand, each again among all the others, which settles a crowded
// figure.
class Placer {
public:
    Placer(const QRectF& area, qreal unit) : area_(area), shrink_(0.1 * unit) {}

    void block(const QRectF& rect) { obstacles_.push_back(rect); }
    void block(const QLineF& side, int owner) { sides_.push_back({side, owner}); }

    // `owner`: the side the text labels, which it may touch; -1 for a name
    void add(std::vector<Candidate> candidates, int owner)
    {
        texts_.push_back({std::move(candidates), owner, std::nullopt});
    }

    // the place of each text, in the order they were added
    std::vector<QRectF> place()
    {
        constexpr int passes = 3;
        for (int pass = 0; pass < passes; ++pass)
            for (std::size_t i = 0; i < texts_.size(); ++i)
                texts_[i].chosen = best(i);
        std::vector<QRectF> places;
        for (const Text& text : texts_)
            places.push_back(*text.chosen);
        return places;
    }

private:
    struct OwnedSide {
        QLineF side;
        int owner;
    };
    struct Text {
        std::vector<Candidate> candidates;
        int owner;
        std::optional<QRectF> chosen;
    };

    QRectF best(std::size_t text) const
    {
        const Text& t = texts_[text];
        const Candidate* best = &t.candidates.front();
        qreal bestScore = std::numeric_limits<qreal>::infinity();
        for (const Candidate& candidate : t.candidates) {
            const qreal score = candidate.cost + scoreOf(candidate.rect, text);
            if (score < bestScore) {
                bestScore = score;
                best = &candidate;
            }
        }
        return best->rect;
    }

    qreal scoreOf(const QRectF& rect, std::size_t text) const
    {
        qreal score = 0;
        if (!area_.contains(rect))
            score += 100 + 100 * (1 - overlapShare(rect, area_));
        for (std::size_t other = 0; other < texts_.size(); ++other)
            if (other != text && texts_[other].chosen)
                score += 20 * overlapShare(rect, *texts_[other].chosen);
        for (const QRectF& obstacle : obstacles_)
            score += 5 * overlapShare(rect, obstacle);
        const QRectF inner = rect.adjusted(shrink_, shrink_, -shrink_, -shrink_);
        for (const auto& [side, owner] : sides_)
            if (owner != texts_[text].owner && crosses(side, inner))
                score += 3;
        return score;
    }

    QRectF area_;
    qreal shrink_;
    std::vector<QRectF> obstacles_;
    std::vector<OwnedSide> sides_;
    std::vector<Text> texts_;
};

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

// the points' names stand out from the labels of the sides
QFont nameFont(QFont font)
{
    constexpr qreal larger = 1.25;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * larger);
    else
        font.setPixelSize(qRound(font.pixelSize() * larger));
    return boldOf(font);
}

QSizeF textSize(const QFontMetricsF& metrics, const QString& text, qreal unit)
{
    return {metrics.horizontalAdvance(text) + labelPadding * unit, metrics.height()};
}

// the ellipses are drawn this many metres for each of their millimetres
double magnified(const FigureSheet& sheet, double millimetres)
{
    return millimetres * sheet.magnification / millimetresPerMetre;
}

// What the figure spans in metres, north (X) and east (Y): its points and
// its magnified ellipses.
struct Extent {
    qreal minX = std::numeric_limits<qreal>::infinity();
    qreal maxX = -std::numeric_limits<qreal>::infinity();
    qreal minY = std::numeric_limits<qreal>::infinity();
    qreal maxY = -std::numeric_limits<qreal>::infinity();

    void include(double X, double Y, double radius)
    {
        minX = std::min(minX, X - radius);
        maxX = std::max(maxX, X + radius);
        minY = std::min(minY, Y - radius);
        maxY = std::max(maxY, Y + radius);
    }
};

Extent extentOf(const FigureSheet& sheet)
{
    Extent extent;
    for (const SheetPoint& point : sheet.points)
        extent.include(point.X, point.Y, 0);
    for (const SheetEllipse& e : sheet.ellipses)
        extent.include(sheet.points[e.point].X, sheet.points[e.point].Y, magnified(sheet, e.ellipse.semiMajor));
    return extent;
}

// the height of the band under the figure that holds the scale bars
qreal stripHeight(const FigureSheet& sheet, qreal u)
{
    const int barRows = sheet.magnification > 0 ? 3 : 2;
    return barRows * barRow * u + 0.5 * u;
}

// Where the figure itself is drawn in `area`: room around it for the names
// and for labels outside its sides, and below it for the scale bars and the
// arrow to north.
QRectF figureRegion(const FigureSheet& sheet, const QRectF& area, const QFontMetricsF& metrics, qreal u)
{
    qreal widestLabel = 0;
    for (const SheetSide& side : sheet.sides)
        widestLabel = std::max(widestLabel, textSize(metrics, QString::fromStdString(side.label), u).width());
    const qreal sideRoom = std::min(0.5 * widestLabel + u, 0.15 * area.width());
    QRectF region = area.adjusted(sideRoom, figureMargin * u, -sideRoom, -(figureMargin * u + stripHeight(sheet, u)));
    region.setWidth(std::max<qreal>(region.width(), 1));
    region.setHeight(std::max<qreal>(region.height(), 1));
    return region;
}

// The points and the ellipses in the pixels of `region`, at one scale for
// both directions: a plan to scale, north up and east to the right.
void placeFigure(FigureLayout& layout, const FigureSheet& sheet, const QRectF& region)
{
    const Extent e = extentOf(sheet);
    const qreal tiny = std::numeric_limits<qreal>::min();
    const qreal scale = std::min(region.width() / std::max(e.maxY - e.minY, tiny),
                                 region.height() / std::max(e.maxX - e.minX, tiny));
    layout.pixelsPerMetre = scale;
    const qreal midX = (e.minX + e.maxX) / 2, midY = (e.minY + e.maxY) / 2;
    const QPointF centre = region.center();
    for (std::size_t i = 0; i < sheet.points.size(); ++i)
        layout.points[i] = QPointF(centre.x() + (sheet.points[i].Y - midY) * scale,
                                   centre.y() - (sheet.points[i].X - midX) * scale);

    for (std::size_t i = 0; i < sheet.ellipses.size(); ++i) {
        const SheetEllipse& ellipse = sheet.ellipses[i];
        const qreal azimuth = ellipse.ellipse.azimuth / degreesPerRadian;
        const qreal semiMajor = magnified(sheet, ellipse.ellipse.semiMajor) * scale;
        const QPointF at = layout.points[ellipse.point];
        // azimuth from north, clockwise: north is up the page, east to the right
        layout.ellipses[i] = {at, at + semiMajor * QPointF(std::sin(azimuth), -std::cos(azimuth)),
                              magnified(sheet, ellipse.ellipse.semiMinor) * scale};
    }
}

// The scale bars along the bottom of `area`, the arrow to north at its
// right end.
void placeScaleBars(FigureLayout& layout, const FigureSheet& sheet, const QFontMetricsF& metrics,
                    const QRectF& region)
{
    const QRectF& area = layout.area;
    const qreal u = layout.unit;
    const qreal scale = layout.pixelsPerMetre;
    const qreal stripTop = area.bottom() - stripHeight(sheet, u);
    const qreal barLeft = area.left() + u;
    const auto rowMiddle = [&](int row) { return stripTop + (row + 0.5) * barRow * u; };
    const auto barText = [&](const QLineF& bar, const QString& text) {
        const QSizeF size = textSize(metrics, text, u);
        return QRectF(QPointF(bar.x2() + 0.3 * u, bar.y2() - size.height() / 2), size);
    };
    const qreal longestBar = std::max<qreal>(std::min(region.width(), 0.35 * area.width()), 1);
    const double barMetres = roundNumberAtMost(longestBar / scale);
    layout.metres.bar = QLineF(barLeft, rowMiddle(0), barLeft + barMetres * scale, rowMiddle(0));
    layout.metres.text = QString::fromStdString(metresBarText(barMetres));
    layout.metres.textRect = barText(layout.metres.bar, layout.metres.text);
    int nextRow = 1;
    if (sheet.magnification > 0) {
        const qreal barLength = magnified(sheet, sheet.millimetreBar) * scale;
        layout.millimetres.bar = QLineF(barLeft, rowMiddle(1), barLeft + barLength, rowMiddle(1));
        layout.millimetres.text = QString::fromStdString(sheet.millimetreBarText);
        layout.millimetres.textRect = barText(layout.millimetres.bar, layout.millimetres.text);
        nextRow = 2;
    }
    const QSizeF magnificationSize = textSize(metrics, QString::fromStdString(sheet.magnificationText), u);
    layout.magnificationRect =
        QRectF(QPointF(barLeft - 0.2 * u, rowMiddle(nextRow) - magnificationSize.height() / 2), magnificationSize);
    const qreal arrowX = area.right() - 1.5 * u;
    layout.northRect = QRectF(arrowX - u, stripTop, 2 * u, u);
    layout.northArrow = QLineF(arrowX, area.bottom() - 0.3 * u, arrowX, stripTop + 1.1 * u);
}

// The things a name or label should not cover: the band of the scale bars,
// the points' symbols, the ellipses, and the sides, each owned by its label.
void blockFigure(Placer& placer, FigureLayout& layout, const FigureSheet& sheet)
{
    const QRectF& area = layout.area;
    const qreal strip = stripHeight(sheet, layout.unit);
    placer.block(QRectF(area.left(), area.bottom() - strip, area.width(), strip));
    const qreal radius = pointSymbol * layout.unit;
    layout.pointRadius = radius;
    for (const QPointF& point : layout.points)
        placer.block(QRectF(point - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)));
    for (const DrawnEllipse& e : layout.ellipses) {
        // the box about the turned ellipse: a long thin one blocks little
        // across its axis
        const QPointF major = e.majorEnd - e.centre;
        const QPointF minor = unit(QPointF(-major.y(), major.x())) * e.semiMinor;
        const QPointF half(std::hypot(major.x(), minor.x()), std::hypot(major.y(), minor.y()));
        placer.block(QRectF(e.centre - half, e.centre + half));
    }
    for (std::size_t i = 0; i < sheet.sides.size(); ++i)
        placer.block(QLineF(layout.points[sheet.sides[i].from], layout.points[sheet.sides[i].to]),
                     static_cast<int>(i));
}

// of two places otherwise alike, the one offered first
constexpr qreal later = 0.02;

// Where the name of point `i` may stand: beside the point, away from the
// middle of the figure first, just outside the point's ellipse.
std::vector<Candidate> nameCandidates(const FigureLayout& layout, const FigureSheet& sheet, std::size_t i,
                                      const QSizeF& size, QPointF middle)
{
    const QPointF at = layout.points[i];
    const qreal u = layout.unit;
    // how far the point's symbol, or its ellipse, reaches that way
    const auto reach = [&](QPointF direction) {
        qreal distance = layout.pointRadius;
        for (std::size_t k = 0; k < sheet.ellipses.size(); ++k) {
            if (sheet.ellipses[k].point != static_cast<int>(i))
                continue;
            const DrawnEllipse& e = layout.ellipses[k];
            const QPointF major = e.majorEnd - e.centre;
            const QPointF minorAxis = unit(QPointF(-major.y(), major.x()));
            distance = std::max(distance, std::hypot(QPointF::dotProduct(direction, major),
                                                     e.semiMinor * QPointF::dotProduct(direction, minorAxis)));
        }
        return distance;
    };
    const qreal outward = std::atan2((at - middle).y(), (at - middle).x());
    std::vector<Candidate> candidates;
    for (const int turn : {0, 1, -1, 2, -2, 3, -3, 4}) {
        const qreal angle = outward + turn * std::numbers::pi / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        candidates.push_back(
            {beside(at, direction, reach(direction) + 0.2 * u, size), later * static_cast<qreal>(candidates.size())});
    }
    return candidates;
}

// Where the label of side `i` may stand: beside its side, outside the figure
// first, a little further off, or at last over its own side.
std::vector<Candidate> labelCandidates(const FigureLayout& layout, const FigureSheet& sheet, std::size_t i,
                                       const QSizeF& size, QPointF middle)
{
    constexpr qreal overItsSide = 4;
    const qreal u = layout.unit;
    const SheetSide& side = sheet.sides[i];
    const QPointF from = layout.points[side.from], to = layout.points[side.to];
    const QPointF along = unit(to - from);
    QPointF across(-along.y(), along.x());
    if (QPointF::dotProduct(across, (from + to) / 2 - middle) < 0)
        across = -across;
    const qreal shares[] = {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8, 0.1, 0.9};
    std::vector<Candidate> candidates;
    for (const qreal gap : {labelGap * u, (labelGap + 1.2) * u})
        for (const QPointF direction : {across, -across})
            for (const qreal share : shares)
                candidates.push_back({beside(from + (to - from) * share, direction, gap, size),
                                      later * static_cast<qreal>(candidates.size())});
    for (const qreal share : shares) {
        const QPointF at = from + (to - from) * share;
        candidates.push_back({QRectF(at - QPointF(size.width() / 2, size.height() / 2), size),
                              overItsSide + later * static_cast<qreal>(candidates.size())});
    }
    return candidates;
}

// Names and labels where they cover least (Placer).
void placeTexts(FigureLayout& layout, const FigureSheet& sheet, const QFontMetricsF& metrics,
                const QFontMetricsF& nameMetrics)
{
    Placer placer(layout.area, layout.unit);
    blockFigure(placer, layout, sheet);
    QPointF middle;
    for (const QPointF& point : layout.points)
        middle += point / 4;
    for (std::size_t i = 0; i < sheet.points.size(); ++i) {
        const QSizeF size = textSize(nameMetrics, QString::fromStdString(sheet.points[i].name), layout.unit);
        placer.add(nameCandidates(layout, sheet, i, size, middle), -1);
    }
    for (std::size_t i = 0; i < sheet.sides.size(); ++i) {
        const QSizeF size = textSize(metrics, QString::fromStdString(sheet.sides[i].label), layout.unit);
        placer.add(labelCandidates(layout, sheet, i, size, middle), static_cast<int>(i));
    }

    const std::vector<QRectF> places = placer.place();
    std::copy_n(places.begin(), layout.names.size(), layout.names.begin());
    std::copy_n(places.begin() + static_cast<std::ptrdiff_t>(layout.names.size()), layout.sideLabels.size(),
                layout.sideLabels.begin());
}

} // namespace

FigureLayout layoutFigure(const FigureSheet& sheet, const QRectF& area, const QFont& font, QPaintDevice* device)
{
    FigureLayout layout;
    layout.area = area;
    layout.font = font;
    const QFontMetricsF metrics(font, device);
    layout.unit = metrics.height();
    const QRectF region = figureRegion(sheet, area, metrics, layout.unit);
    placeFigure(layout, sheet, region);
    placeScaleBars(layout, sheet, metrics, region);
    placeTexts(layout, sheet, metrics, QFontMetricsF(nameFont(font), device));
    return layout;
}

void paintFigure(QPainter& painter, const FigureSheet& sheet, const FigureLayout& layout)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(layout.font);
    const qreal u = layout.unit;
    const qreal line = std::max<qreal>(1, u / 14);

    for (std::size_t i = 0; i < sheet.sides.size(); ++i) {
        const SheetSide& side = sheet.sides[i];
        // the known side heavier, as a plan draws a fixed line
        painter.setPen(QPen(side.known ? knownSideColour : measuredSideColour, side.known ? 2.5 * line : line));
        painter.drawLine(layout.points[side.from], layout.points[side.to]);
    }

    painter.setPen(QPen(ellipseColour, line));
    painter.setBrush(Qt::NoBrush);
    for (const DrawnEllipse& e : layout.ellipses) {
        const QPointF major = e.majorEnd - e.centre;
        const qreal semiMajor = length(major);
        if (semiMajor <= 0)
            continue;
        painter.save();
        painter.translate(e.centre);
        // QPainter turns clockwise on the screen, as an azimuth turns
        painter.rotate(std::atan2(major.x(), -major.y()) * degreesPerRadian);
        painter.drawEllipse(QPointF(0, 0), e.semiMinor, semiMajor);
        painter.drawLine(QPointF(0, -semiMajor), QPointF(0, semiMajor));
        painter.drawLine(QPointF(-e.semiMinor, 0), QPointF(e.semiMinor, 0));
        painter.restore();
    }

    const qreal radius = layout.pointRadius;
    painter.setPen(QPen(Qt::black, line));
    for (std::size_t i = 0; i < sheet.points.size(); ++i) {
        const QPointF at = layout.points[i];
        if (sheet.points[i].known) {
            // a control point: a filled triangle about the point
            const qreal r = 1.3 * radius;
            QPainterPath triangle;
            triangle.moveTo(at + QPointF(0, -r));
            triangle.lineTo(at + QPointF(r * 0.866, r / 2));
            triangle.lineTo(at + QPointF(-r * 0.866, r / 2));
            triangle.closeSubpath();
            painter.setBrush(Qt::black);
            painter.drawPath(triangle);
        } else {
            painter.setBrush(Qt::white);
            painter.drawEllipse(at, radius, radius);
        }
    }
    painter.setBrush(Qt::NoBrush);

    painter.setFont(nameFont(layout.font));
    for (std::size_t i = 0; i < sheet.points.size(); ++i)
        painter.drawText(layout.names[i], Qt::AlignCenter, QString::fromStdString(sheet.points[i].name));
    painter.setFont(layout.font);

    // a label stays readable where it lies across a line
    const QColor veil(255, 255, 255, 215);
    for (std::size_t i = 0; i < sheet.sides.size(); ++i) {
        painter.fillRect(layout.sideLabels[i], veil);
        painter.setPen(sheet.sides[i].known ? knownSideColour : measuredSideColour);
        painter.drawText(layout.sideLabels[i], Qt::AlignCenter, QString::fromStdString(sheet.sides[i].label));
    }

    const auto drawBar = [&](const ScaleBar& bar, const QColor& colour) {
        painter.setPen(QPen(colour, 1.5 * line));
        painter.drawLine(bar.bar);
        const QPointF tick(0, 0.3 * u);
        painter.drawLine(bar.bar.p1() - tick, bar.bar.p1() + tick);
        painter.drawLine(bar.bar.p2() - tick, bar.bar.p2() + tick);
        painter.drawText(bar.textRect, Qt::AlignVCenter | Qt::AlignLeft, bar.text);
    };
    drawBar(layout.metres, Qt::black);
    if (!layout.millimetres.text.isEmpty())
        drawBar(layout.millimetres, ellipseColour);
    painter.setPen(ellipseColour);
    painter.drawText(layout.magnificationRect, Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromStdString(sheet.magnificationText));

    // the arrow to north, with its head
    painter.setPen(QPen(Qt::black, 1.5 * line));
    painter.drawLine(layout.northArrow);
    const QPointF tip = layout.northArrow.p2();
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-0.3 * u, 0.7 * u));
    head.lineTo(tip + QPointF(0.3 * u, 0.7 * u));
    head.closeSubpath();
    painter.setBrush(Qt::black);
    painter.drawPath(head);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(boldOf(layout.font));
    painter.drawText(layout.northRect, Qt::AlignCenter, QStringLiteral("北"));
    painter.restore();
}

} // namespace korvane
