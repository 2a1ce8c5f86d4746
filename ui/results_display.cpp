#include "results_display.h"

#include "field_writer.h"

#include "number_text.h"

#include <array>

namespace korvane::display {

namespace {

// S3, like the entered sides: two blanks, four decimals
std::string side(DoubleValue auto value)
{
    return fixedText(value, 4, 4);
}

std::string coordinate(DoubleValue auto value)
{
    return fixedText(value, 3, 3);
}

std::string weightReciprocal(SingleValue auto value)
{
    return fixedText(value, 4, 4);
}

// seconds and millimetres alike
std::string hundredths(SingleValue auto value)
{
    return fixedText(value, 2, 2);
}

using R = const AdjustmentResult&;

constexpr const char* metres = "米";
constexpr const char* seconds = "秒";
constexpr const char* millimetres = "毫米";

const auto table = std::to_array<Row>({
    {Milestone::KnownSide, "Text7", "S3", "  ", [](R r) { return side(r.S3); }, metres, false},
    {Milestone::Misclosure, "Text17", "w", " ", [](R r) { return hundredths(r.w); }, seconds, true},
    {Milestone::UnitWeightError, "Text18", "ms", " ", [](R r) { return hundredths(r.ms); }, millimetres, true},
    {Milestone::PointB, "Text11", nullptr, "  ", [](R) { return std::string("B"); }, "", false},
    {Milestone::PointB, "Text12", "Xb", " ", [](R r) { return coordinate(r.xp1); }, metres, false},
    {Milestone::PointB, "Text13", "Yb", " ", [](R r) { return coordinate(r.yp1); }, metres, false},
    {Milestone::PointD, "Text14", nullptr, "  ", [](R) { return std::string("D"); }, "", false},
    {Milestone::PointD, "Text15", "Xd", " ", [](R r) { return coordinate(r.xp2); }, metres, false},
    {Milestone::PointD, "Text16", "Yd", " ", [](R r) { return coordinate(r.yp2); }, metres, false},
    {Milestone::PrecisionB, "Text19", "1/px(B)", " ", [](R r) { return weightReciprocal(r.B.invPx); }, "", false},
    {Milestone::PrecisionB, "Text20", "1/py(B)", " ", [](R r) { return weightReciprocal(r.B.invPy); }, "", false},
    {Milestone::PrecisionB, "Text21", "mx(B)", " ", [](R r) { return hundredths(r.B.mx); }, millimetres, true},
    {Milestone::PrecisionB, "Text22", "my(B)", " ", [](R r) { return hundredths(r.B.my); }, millimetres, true},
    {Milestone::PrecisionB, "Text23", "md(B)", " ", [](R r) { return hundredths(r.B.md); }, millimetres, true},
    {Milestone::PrecisionD, "Text24", "1/px(D)", " ", [](R r) { return weightReciprocal(r.D.invPx); }, "", false},
    {Milestone::PrecisionD, "Text27", "1/py(D)", " ", [](R r) { return weightReciprocal(r.D.invPy); }, "", false},
    {Milestone::PrecisionD, "Text25", "mx(D)", " ", [](R r) { return hundredths(r.D.mx); }, millimetres, true},
    {Milestone::PrecisionD, "Text28", "my(D)", " ", [](R r) { return hundredths(r.D.my); }, millimetres, true},
    {Milestone::PrecisionD, "Text26", "md(D)", " ", [](R r) { return hundredths(r.D.md); }, millimetres, true},
});

} // namespace

std::span<const Row> rows()
{
    return table;
}

QString fieldText(const Row& row, const AdjustmentResult& result)
{
    QString text = QString::fromUtf8(row.prefix) + QString::fromStdString(row.digits(result));
    if (row.unitShown)
        text += QString::fromUtf8(row.unit);
    return text;
}

} // namespace korvane::display

namespace korvane {

void showResults(Milestone milestone, const AdjustmentResult& result, FieldWriter& fields)
{
    for (const display::Row& row : display::rows())
        if (row.milestone == milestone)
            fields.setFieldText(row.field, display::fieldText(row, result));
}

} // namespace korvane
