#include "figure_drawing.h"
#include "figure_table.h"

#include "adjustment.h"
#include "checked_networks.h"
#include "report.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace korvane {
namespace {

FigureSheet sheetOf(Observations o)
{
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(o, r, {}, &terms);
    return figureSheet(o, r, terms, defaultAccuracy);
}

Observations checked(const std::string& name)
{
    for (const auto& n : testing::checkedNetworks())
        if (n.name == name)
            return n.measured;
    ADD_FAILURE() << "no checked network " << name;
    return {};
}

// The worked example a hundred times larger and a thousand times smaller,
// and the long thin figure turned to run from south to north.
Observations scaled(Observations o, double factor)
{
    for (double* value : {&o.Xa, &o.Ya, &o.Xc, &o.Yc, &o.S1, &o.S2, &o.S4, &o.S5, &o.S6})
        *value *= factor;
    return o;
}

Observations turnedNorth(Observations o)
{
    std::swap(o.Xa, o.Ya);
    std::swap(o.Xc, o.Yc);
    return o;
}

struct Drawing {
    std::string name;
    FigureSheet sheet;
    FigureLayout layout;
};

// A device of `dotsPerInch` for the font's metrics; the layout only measures.
FigureLayout laidOut(const FigureSheet& sheet, QSizeF size, int dotsPerInch)
{
    QImage device(8, 8, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    device.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    QFont font(QString::fromUtf8(reportFontName));
    font.setPointSize(9);
    return layoutFigure(sheet, QRectF(QPointF(10, 20), size), font, &device);
}

// Each figure in a wide window, a tall narrow one, a small one and on a page
// at 600 dots per inch.
std::vector<Drawing> drawings()
{
    const std::pair<const char*, Observations> figures[] = {
        {"worked example", checked("workedExample")},
        {"S6 5 cm long", checked("diagonalFiveCentimetresLong")},
        {"B and D swapped", checked("bAndDSwapped")},
        {"long thin, west to east", checked("longThinFigure")},
        {"long thin, south to north", turnedNorth(checked("longThinFigure"))},
        {"national grid, to the south-west", checked("southWestOnTheNationalGrid")},
        {"huge: 100 km sides", scaled(checked("workedExample"), 100)},
        {"tiny: 1 m sides", scaled(checked("workedExample"), 0.001)},
    };
    const struct {
        const char* name;
        QSizeF size;
        int dotsPerInch;
    } areas[] = {
        {"wide window", {640, 600}, 96},
        {"narrow window", {340, 460}, 96},
        {"low window", {600, 300}, 96},
        {"page", {4200, 4200}, 600},
    };
    std::vector<Drawing> all;
    for (const auto& [figureName, observations] : figures) {
        const FigureSheet sheet = sheetOf(observations);
        for (const auto& area : areas)
            all.push_back({std::string(figureName) + ", " + area.name, sheet,
                           laidOut(sheet, area.size, area.dotsPerInch)});
    }
    return all;
}

qreal distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const qreal t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// As a surveyor checks a plan: every pair of points lies in the right
// order north-south and east-west, and at the distance the scale gives.
TEST(FigureDrawing, NorthIsUpEastIsRightAndEveryDistanceToOneScale)
{
    for (const Drawing& d : drawings()) {
        SCOPED_TRACE(d.name);
        const FigureLayout& l = d.layout;
        ASSERT_GT(l.pixelsPerMetre, 0);
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = i + 1; j < 4; ++j) {
                SCOPED_TRACE(std::string(d.sheet.points[i].name) + d.sheet.points[j].name);
                const SheetPoint &p = d.sheet.points[i], &q = d.sheet.points[j];
                const QPointF drawn = l.points[j] - l.points[i];
                const double metres = std::hypot(q.X - p.X, q.Y - p.Y);
                EXPECT_NEAR(std::hypot(drawn.x(), drawn.y()) / metres, l.pixelsPerMetre, 1e-9 * l.pixelsPerMetre);
                // further east is further right; further north is further up
                // (smaller y); a difference under a micrometre has no order
                if (std::abs(q.Y - p.Y) > 1e-6) {
                    EXPECT_EQ(drawn.x() > 0, q.Y > p.Y);
                }
                if (std::abs(q.X - p.X) > 1e-6) {
                    EXPECT_EQ(drawn.y() < 0, q.X > p.X);
                }
            }
    }
}

// A huge, a tiny, a long thin figure: all of it inside its area, large
// enough to read, and no name or label on another.
TEST(FigureDrawing, FitsItsAreaAndNoTextLiesOnAnother)
{
    for (const Drawing& d : drawings()) {
        SCOPED_TRACE(d.name);
        const FigureLayout& l = d.layout;
        std::vector<std::pair<std::string, QRectF>> texts;
        for (std::size_t i = 0; i < 4; ++i)
            texts.emplace_back(d.sheet.points[i].name, l.names[i]);
        for (std::size_t i = 0; i < 6; ++i)
            texts.emplace_back(d.sheet.sides[i].name, l.sideLabels[i]);
        texts.emplace_back("metres bar", l.metres.textRect);
        texts.emplace_back("magnification", l.magnificationRect);

        for (const QPointF& point : l.points)
            EXPECT_TRUE(l.area.contains(point));
        for (const auto& [name, rect] : texts)
            EXPECT_TRUE(l.area.contains(rect)) << name << " lies outside the drawing";
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                const QRectF common = texts[i].second.intersected(texts[j].second);
                EXPECT_FALSE(common.width() > 0.5 && common.height() > 0.5)
                    << texts[i].first << " on " << texts[j].first;
            }

        // each label beside its own side
        for (std::size_t i = 0; i < 6; ++i) {
            const QRectF& label = l.sideLabels[i];
            const SheetSide& side = d.sheet.sides[i];
            const qreal reach = std::hypot(label.width(), label.height()) / 2 + 2 * l.unit;
            EXPECT_LE(distanceToSegment(label.center(), l.points[side.from], l.points[side.to]), reach)
                << side.name;
        }

        // the figure spans most of the width or the height it is given
        qreal left = l.points[0].x(), right = left, top = l.points[0].y(), bottom = top;
        for (const QPointF& p : l.points) {
            left = std::min(left, p.x()), right = std::max(right, p.x());
            top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
        }
        EXPECT_GT(std::max((right - left) / l.area.width(), (bottom - top) / l.area.height()), 0.45);
    }
}

// The ellipse's major axis points along its azimuth, clockwise from north,
// at the stated magnification; the larger one reaches well beyond the
// symbol of its point; each scale bar is as long as its words say.
TEST(FigureDrawing, EllipsesAndScaleBarsAtTheStatedScale)
{
    constexpr double degreesPerRadian = 180 / std::numbers::pi;
    for (const Drawing& d : drawings()) {
        SCOPED_TRACE(d.name);
        const FigureLayout& l = d.layout;
        const double pixelsPerMillimetre = d.sheet.magnification / 1000 * l.pixelsPerMetre;
        qreal largest = 0;
        for (std::size_t i = 0; i < 2; ++i) {
            const ErrorEllipse& e = d.sheet.ellipses[i].ellipse;
            const DrawnEllipse& drawn = l.ellipses[i];
            EXPECT_EQ(drawn.centre, l.points[d.sheet.ellipses[i].point]);
            const QPointF major = drawn.majorEnd - drawn.centre;
            const double azimuth = std::fmod(std::atan2(major.x(), -major.y()) * degreesPerRadian + 360, 180);
            EXPECT_NEAR(std::min(std::abs(azimuth - e.azimuth), 180 - std::abs(azimuth - e.azimuth)), 0, 1e-6);
            EXPECT_NEAR(std::hypot(major.x(), major.y()), e.semiMajor * pixelsPerMillimetre, 1e-6);
            EXPECT_NEAR(drawn.semiMinor, e.semiMinor * pixelsPerMillimetre, 1e-6);
            largest = std::max(largest, std::hypot(major.x(), major.y()));
        }
        EXPECT_GE(largest, 2 * l.pointRadius) << "hidden behind the point";

        const auto barLength = [](const ScaleBar& bar) { return bar.bar.length(); };
        const double metres = l.metres.text.section(' ', 0, 0).toDouble();
        EXPECT_EQ(l.metres.text, QString::number(metres, 'g', 12) + " 米");
        EXPECT_NEAR(barLength(l.metres), metres * l.pixelsPerMetre, 1e-6);
        EXPECT_EQ(l.millimetres.text.toStdString(), d.sheet.millimetreBarText);
        EXPECT_NEAR(barLength(l.millimetres), d.sheet.millimetreBar * pixelsPerMillimetre, 1e-6);
        EXPECT_LE(barLength(l.metres), l.area.width() / 2);
    }
}

bool nearColour(const QImage& image, QPointF at, qreal within, const std::function<bool(QColor)>& is)
{
    for (int dx = -qCeil(within); dx <= qCeil(within); ++dx)
        for (int dy = -qCeil(within); dy <= qCeil(within); ++dy) {
            const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
            if (image.rect().contains(p) && is(image.pixelColor(p)))
                return true;
        }
    return false;
}

// What the painter draws stands where the layout says: a control point is a
// filled triangle, a new point an open circle, and an ellipse turned the
// other way (a mirror of the azimuth) would leave its major end blank.
TEST(FigureDrawing, PaintsWhatTheLayoutPlaces)
{
    FigureSheet sheet = sheetOf(checked("workedExample"));
    sheet.ellipses[0].ellipse = {8.0, 2.0, 30.0};
    QImage image(640, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QFont font(QString::fromUtf8(reportFontName));
    font.setPointSize(9);
    const FigureLayout layout = layoutFigure(sheet, QRectF(image.rect()), font, &image);
    {
        QPainter painter(&image);
        paintFigure(painter, sheet, layout);
    }
    const auto dark = [](QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() < 60; };
    const auto white = [](QColor c) { return c.red() > 230 && c.green() > 230 && c.blue() > 230; };
    const auto red = [](QColor c) { return c.red() > 120 && c.green() < 100 && c.blue() < 100; };
    EXPECT_TRUE(dark(image.pixelColor(layout.points[pointA].toPoint()))) << "A is a filled triangle";
    EXPECT_TRUE(dark(image.pixelColor(layout.points[pointC].toPoint()))) << "C is a filled triangle";
    EXPECT_TRUE(white(image.pixelColor(layout.points[pointB].toPoint()))) << "B is an open circle";
    EXPECT_TRUE(white(image.pixelColor(layout.points[pointD].toPoint()))) << "D is an open circle";

    const DrawnEllipse& b = layout.ellipses[0];
    const QPointF major = b.majorEnd - b.centre;
    const QPointF mirrored(-major.x(), major.y()); // azimuth 330 degrees
    ASSERT_GT(std::hypot(major.x(), major.y()), 30);
    EXPECT_TRUE(nearColour(image, b.majorEnd, 1.5, red));
    EXPECT_TRUE(nearColour(image, b.centre - major, 1.5, red));
    EXPECT_FALSE(nearColour(image, b.centre + mirrored, 1.5, red));
    EXPECT_FALSE(nearColour(image, b.centre + QPointF(-major.y(), major.x()), 1.5, red)) << "across the minor axis";
}

// The table's first line is the check line, in the verdict's colour: 合格
// dark green, 图形较弱 amber, 超限 red.
TEST(FigureTable, TheCheckLineInTheColourOfItsVerdict)
{
    const auto hue = [](QColor c) {
        if (c.red() < 64 && c.green() > 64 && c.green() < 160 && c.blue() < 64)
            return "dark green";
        if (c.red() > 128 && c.green() > 64 && c.green() < c.red() && c.blue() < 64)
            return "amber";
        if (c.red() > 192 && c.green() < 64 && c.blue() < 64)
            return "red";
        return "another";
    };
    const struct {
        const char* figure;
        const char* verdict;
        const char* colour;
    } cases[] = {
        {"workedExample", "合格", "dark green"},
        {"longThinFigure", "图形较弱", "amber"},
        {"blunderAtTwoPlusTwo", "超限", "red"},
    };
    QImage device(8, 8, QImage::Format_RGB32);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure);
        const FigureTableLayout table =
            layoutFigureTable(sheetOf(checked(c.figure)), {0, 0}, 600, QFont(QString::fromUtf8(reportFontName)), &device);
        ASSERT_FALSE(table.texts.empty());
        EXPECT_TRUE(table.texts.front().text.contains(QString::fromUtf8(c.verdict))) << table.texts.front().text.toStdString();
        EXPECT_STREQ(hue(table.texts.front().colour), c.colour);
    }
}

} // namespace
} // namespace korvane
