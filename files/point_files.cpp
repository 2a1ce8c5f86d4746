#include "point_files.h"

#include "csv_text.h"
#include "text_encoding.h"

#include "printed_digits.h"

#include <array>

namespace korvane::files {

namespace {

struct Point {
    const std::string& name;
    std::string x, y;
    const PointPrecision* precision; // nullptr for a control point
};

std::array<Point, 4> points(const Observations& o, const AdjustmentResult& r, const PointNames& names)
{
    return {{
        {names[0], printed::enteredCoordinate(o.Xa), printed::enteredCoordinate(o.Ya), nullptr},
        {names[1], printed::coordinate(r.xp1), printed::coordinate(r.yp1), &r.B},
        {names[2], printed::enteredCoordinate(o.Xc), printed::enteredCoordinate(o.Yc), nullptr},
        {names[3], printed::coordinate(r.xp2), printed::coordinate(r.yp2), &r.D},
    }};
}

} // namespace

std::string cassPointsText(const Observations& observations, const AdjustmentResult& result,
                           const PointNames& names)
{
    std::string text;
    for (const Point& point : points(observations, result, names)) {
        text += formulaGuarded(point.name);
        text += ",,";
        text += point.y;
        text += ',';
        text += point.x;
        text += ",0.000";
        text += csvLineEnd;
    }
    return text;
}

std::string csvPointsText(const Observations& observations, const AdjustmentResult& result,
                          const PointNames& names)
{
    std::string text(utf8ByteOrderMark);
    text += "点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)";
    text += csvLineEnd;
    for (const Point& point : points(observations, result, names)) {
        appendCell(text, point.name);
        text += ',';
        text += point.x;
        text += ',';
        text += point.y;
        text += ',';
        if (point.precision) {
            text += printed::millimetres(point.precision->mx);
            text += ',';
            text += printed::millimetres(point.precision->my);
            text += ',';
            text += printed::millimetres(point.precision->md);
        } else {
            text += ",,";
        }
        text += csvLineEnd;
    }
    return text;
}

} // namespace korvane::files
