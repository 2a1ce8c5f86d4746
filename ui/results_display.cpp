#include "results_display.h"

#include "field_writer.h"

#include "number_text.h"

#include <array>

namespace korvane::display {

namespace {

QString text(const std::string& number)
{
    return QString::fromStdString(number);
}

// S3, like the entered sides: two blanks, four decimals
QString side(DoubleValue auto value)
{
    return QStringLiteral("  ") + text(fixedText(value, 4, 4));
}

QString coordinate(DoubleValue auto value)
{
    return QStringLiteral(" ") + text(fixedText(value, 3, 3));
}

QString weightReciprocal(SingleValue auto value)
{
    return QStringLiteral(" ") + text(fixedText(value, 4, 4));
}

QString seconds(SingleValue auto value)
{
    return QStringLiteral(" ") + text(fixedText(value, 2, 2)) + QStringLiteral("秒");
}

QString millimetres(SingleValue auto value)
{
    return QStringLiteral(" ") + text(fixedText(value, 2, 2)) + QStringLiteral("毫米");
}

using R = const AdjustmentResult&;

const auto table = std::to_array<Row>({
    {Milestone::KnownSide, "Text7", [](R r) { return side(r.S3); }},
    {Milestone::Misclosure, "Text17", [](R r) { return seconds(r.w); }},
    {Milestone::UnitWeightError, "Text18", [](R r) { return millimetres(r.ms); }},
    {Milestone::PointB, "Text11", [](R) { return QStringLiteral("  B"); }},
    {Milestone::PointB, "Text12", [](R r) { return coordinate(r.xp1); }},
    {Milestone::PointB, "Text13", [](R r) { return coordinate(r.yp1); }},
    {Milestone::PointD, "Text14", [](R) { return QStringLiteral("  D"); }},
    {Milestone::PointD, "Text15", [](R r) { return coordinate(r.xp2); }},
    {Milestone::PointD, "Text16", [](R r) { return coordinate(r.yp2); }},
    {Milestone::PrecisionB, "Text19", [](R r) { return weightReciprocal(r.B.invPx); }},
    {Milestone::PrecisionB, "Text20", [](R r) { return weightReciprocal(r.B.invPy); }},
    {Milestone::PrecisionB, "Text21", [](R r) { return millimetres(r.B.mx); }},
    {Milestone::PrecisionB, "Text22", [](R r) { return millimetres(r.B.my); }},
    {Milestone::PrecisionB, "Text23", [](R r) { return millimetres(r.B.md); }},
    {Milestone::PrecisionD, "Text24", [](R r) { return weightReciprocal(r.D.invPx); }},
    {Milestone::PrecisionD, "Text27", [](R r) { return weightReciprocal(r.D.invPy); }},
    {Milestone::PrecisionD, "Text25", [](R r) { return millimetres(r.D.mx); }},
    {Milestone::PrecisionD, "Text28", [](R r) { return millimetres(r.D.my); }},
    {Milestone::PrecisionD, "Text26", [](R r) { return millimetres(r.D.md); }},
});

} // namespace

std::span<const Row> rows()
{
    return table;
}

} // namespace korvane::display

namespace korvane {

void showResults(Milestone milestone, const AdjustmentResult& result, FieldWriter& fields)
{
    for (const display::Row& row : display::rows())
        if (row.milestone == milestone)
            fields.setFieldText(row.field, row.text(result));
}

} // namespace korvane
