#include "point_files.h"

#include "csv_text.h"
#include "text_encoding.h"

#include "printed_digits.h"

namespace korvane::files {

std::array<FigurePoint, 4> figurePoints(const Observations& o, const AdjustmentResult& r, const PointNames& names)
{
    return {{
        {names[0], o.Xa, o.Ya, printed::enteredCoordinate(o.Xa), printed::enteredCoordinate(o.Ya), nullptr},
        {names[1], r.xp1, r.yp1, printed::coordinate(r.xp1), printed::coordinate(r.yp1), &r.B},
        {names[2], o.Xc, o.Yc, printed::enteredCoordinate(o.Xc), printed::enteredCoordinate(o.Yc), nullptr},
        {names[3], r.xp2, r.yp2, printed::coordinate(r.xp2), printed::coordinate(r.yp2), &r.D},
    }};
}

PointsFormat pointsFormatOf(std::string_view path)
{
    constexpr std::string_view csv = ".csv";
    if (path.size() < csv.size())
        return PointsFormat::Cass;
    const std::string_view suffix = path.substr(path.size() - csv.size());
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = suffix[i] >= 'A' && suffix[i] <= 'Z' ? static_cast<char>(suffix[i] - 'A' + 'a') : suffix[i];
        if (c != csv[i])
            return PointsFormat::Cass;
    }
    return PointsFormat::Csv;
}

std::string pointsHeader(PointsFormat format)
{
    if (format == PointsFormat::Cass)
        return {};
    std::string text(utf8ByteOrderMark);
    text += "点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)";
    text += csvLineEnd;
    return text;
}

void appendPoint(std::string& text, PointsFormat format, const FigurePoint& point)
{
    if (format == PointsFormat::Cass) {
        text += formulaGuarded(point.name);
        text += ",,";
        text += point.y;
        text += ',';
        text += point.x;
        text += ",0.000";
        text += csvLineEnd;
        return;
    }
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

namespace {

std::string pointsText(PointsFormat format, const Observations& observations, const AdjustmentResult& result,
                       const PointNames& names)
{
    std::string text = pointsHeader(format);
    for (const FigurePoint& point : figurePoints(observations, result, names))
        appendPoint(text, format, point);
    return text;
}

} // namespace

std::string cassPointsText(const Observations& observations, const AdjustmentResult& result,
                           const PointNames& names)
{
    return pointsText(PointsFormat::Cass, observations, result, names);
}

std::string csvPointsText(const Observations& observations, const AdjustmentResult& result,
                          const PointNames& names)
{
    return pointsText(PointsFormat::Csv, observations, result, names);
}

} // namespace korvane::files
