#include "results_table.h"

#include "csv_text.h"
#include "text_encoding.h"

#include "printed_digits.h"

#include <charconv>

namespace korvane::files {

namespace {

// the cells after the status: S3, w, the limit, ms, then seven of B and seven of D
constexpr int numberCells = 18;

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
    header += "名称,行,状态,S3,w,限差,ms,xp1,yp1,1/px1,1/py1,mx1,my1,md1,xp2,yp2,1/px2,1/py2,mx2,my2,md2,A点名,B点名,C点名,D点名";
    header += csvLineEnd;
    return header;
}

void appendResultRow(std::string& out, std::string_view name, long line, std::string_view status,
                     std::string_view limit, const AdjustmentResult& result, const PointNames& points)
{
    appendStart(out, name, line, status);
    appendNumber(out, printed::side(result.S3));
    appendNumber(out, printed::misclosure(result.w));
    out += ',';
    out += limit;
    appendNumber(out, printed::millimetres(result.ms));
    appendPoint(out, result.xp1, result.yp1, result.B);
    appendPoint(out, result.xp2, result.yp2, result.D);
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
