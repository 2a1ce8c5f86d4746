#include "results_table.h"

#include "csv_text.h"
#include "text_encoding.h"

#include "number_text.h"
#include "printed_digits.h"

#include <charconv>

namespace korvane::files {

namespace {

// the cells after the status: S3, w, the limit, ms, seven of B and seven of
// D, then seven of the strength
constexpr int numberCells = 25;

void appendLineNumber(std::string& out, long line)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, line).ptr;
    out.append(digits, end);
}

void appendStart(std::string& out, std::string_view name, long line, std::string_view status)
{
    appendCell(out, name);
    out += ',';
    appendLineNumber(out, line);
    out += ',';
    appendCell(out, status);
}

void appendNumber(std::string& out, const std::string& digits)
{
    out += ',';
    out += digits;
}

// a value of the strength with its decimals, or an empty cell
void appendOptional(std::string& out, const std::optional<double>& value, int decimals)
{
    out += ',';
    if (value)
        out += fixedText(*value, decimals, decimals);
}

std::optional<double> valueOf(const std::optional<LargestOfSides>& largest)
{
    return largest ? std::optional<double>(largest->valueMm) : std::nullopt;
}

void appendPoint(std::string& out, double x, double y, const PointPrecision& p)
{
    appendNumber(out, printed::coordinate(x));
    appendNumber(out, printed::coordinate(y));
    appendNumber(out, printed::weightReciprocal(p.invPx));
    appendNumber(out, printed::weightReciprocal(p.invPy));
    appendNumber(out, printed::millimetres(p.mx));
    appendNumber(out, printed::millimetres(p.my));
    appendNumber(out, printed::millimetres(p.md));
}

void appendPointNames(std::string& out, const PointNames* points)
{
    for (std::size_t i = 0; i < letterNames.size(); ++i) {
        out += ',';
        if (points)
            appendCell(out, (*points)[i]);
    }
}

} // namespace

std::string resultsHeader()
{
    std::string header(utf8ByteOrderMark);
    header += "名称,行,状态,S3,w,限差,ms,xp1,yp1,1/px1,1/py1,mx1,my1,md1,xp2,yp2,1/px2,1/py2,mx2,my2,md2,"
              "尺度(ppm),最小角(度),可发现粗差(毫米),B最大影响(毫米),D最大影响(毫米),验前md1(毫米),验前md2(毫米),"
              "A点名,B点名,C点名,D点名";
    header += csvLineEnd;
    return header;
}

void appendResultRow(std::string& out, std::string_view name, long line, std::string_view status,
                     std::string_view limit, const AdjustmentResult& result, const std::optional<double>& scalePpm,
                     const FigureStrength& strength, const PointNames& points)
{
    appendStart(out, name, line, status);
    appendNumber(out, printed::side(result.S3));
    appendNumber(out, printed::misclosure(result.w));
    out += ',';
    out += limit;
    appendNumber(out, printed::millimetres(result.ms));
    appendPoint(out, result.xp1, result.yp1, result.B);
    appendPoint(out, result.xp2, result.yp2, result.D);
    appendOptional(out, scalePpm, 2);
    appendOptional(out, strength.angles.smallest.degrees, 1);
    appendOptional(out, valueOf(strength.largestDetectable), 1);
    appendOptional(out, valueOf(strength.largestEffectOnB), 1);
    appendOptional(out, valueOf(strength.largestEffectOnD), 1);
    appendOptional(out, strength.B.md, 2);
    appendOptional(out, strength.D.md, 2);
    appendPointNames(out, &points);
    out += csvLineEnd;
}

void appendFaultRow(std::string& out, std::string_view name, long line, std::string_view message,
                    const PointNames* points)
{
    appendStart(out, name, line, message);
    out.append(numberCells, ',');
    appendPointNames(out, points);
    out += csvLineEnd;
}

} // namespace korvane::files
