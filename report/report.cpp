#include "report.h"

#include "printed_digits.h"

#include <utility>

namespace korvane {
namespace {

// Headings stand two columns left of the values they introduce.
constexpr int headingColumn = 22;
constexpr int valueColumn = 24;

constexpr const char* seconds = " (秒)";
constexpr const char* millimetres = " 毫米";

const Line blank;

Line heading(const char* label)
{
    return {Column{headingColumn}, Text{label}};
}

Line valueLine(const char* label, Text number, const char* unit = nullptr)
{
    Line line{Column{valueColumn}, Text{label}, std::move(number)};
    if (unit)
        line.push_back(Text{unit});
    return line;
}

// A number stands one space after its label (only K is written against it),
// with the report's digits for its kind of value.
Text number(const std::string& digits)
{
    return " " + digits;
}

void appendPrecision(std::vector<ReportStep>& steps, const PointPrecision& p)
{
    steps.insert(steps.end(), {
        valueLine("纵座标单位权权倒数 :  1/px=", number(printed::weightReciprocal(p.invPx))),
        valueLine("横座标单位权权倒数 :  1/py=", number(printed::weightReciprocal(p.invPy))),
        valueLine("纵座标单位权中误差 :    mx=", number(printed::millimetres(p.mx)), millimetres),
        valueLine("横座标单位权中误差 :    my=", number(printed::millimetres(p.my)), millimetres),
        valueLine("单位权点位中误差 :      md=", number(printed::millimetres(p.md)), millimetres),
    });
}

} // namespace

std::vector<ReportStep> reportSteps(const Observations& o, const AdjustmentResult& r)
{
    // After a computation the side fields of Observations hold the adjusted
    // sides; the measured ones survive only as the single copies s1 ... s6.
    std::vector<ReportStep> steps{
        Line{Column{30}, Text{"--- Korvane ---"}},
        blank,
        blank,
        FontSize{bodyFontSize},
        heading("起始点座标 :"),
        blank,
        Line{Column{valueColumn}, Text{"起始点 A 座标 :  xa="}, number(printed::enteredCoordinate(o.Xa)), Spaces{3},
             Text{"ya="}, number(printed::enteredCoordinate(o.Ya))},
        Line{Column{valueColumn}, Text{"起始点 C 座标 :  xc="}, number(printed::enteredCoordinate(o.Xc)), Spaces{3},
             Text{"yc="}, number(printed::enteredCoordinate(o.Yc))},
        blank,
        heading("观测边长 (米) :"),
        blank,
        valueLine("第 1 条观测边 : s1=", number(printed::observedSide(r.s1))),
        valueLine("第 2 条观测边 : s2=", number(printed::observedSide(r.s2))),
        valueLine("第 3 条起算边 : s3=", number(printed::side(r.S3))),
        valueLine("第 4 条观测边 : s4=", number(printed::observedSide(r.s4))),
        valueLine("第 5 条观测边 : s5=", number(printed::observedSide(r.s5))),
        valueLine("第 6 条观测边 : s6=", number(printed::observedSide(r.s6))),
        blank,
        heading("平差改正后边长 (米) :"),
        blank,
        valueLine("第 1 条平差边 : S1=", number(printed::side(o.S1))),
        valueLine("第 2 条平差边 : S2=", number(printed::side(o.S2))),
        valueLine("第 3 条起算边 : S3=", number(printed::side(r.S3))),
        valueLine("第 4 条平差边 : S4=", number(printed::side(o.S4))),
        valueLine("第 5 条平差边 : S5=", number(printed::side(o.S5))),
        valueLine("第 6 条平差边 : S6=", number(printed::side(o.S6))),
        blank,
        heading("固定角条件闭合差 :"),
        valueLine("w=", number(printed::misclosure(r.w)), seconds),
        blank,
        heading("法方程式 K 系数 :"),
        valueLine("K=", printed::correlate(r.K)),
        blank,
        Line{Column{headingColumn}, Text{"单位权测边中误差 :      ms="}, number(printed::millimetres(r.ms)), Text{millimetres}},
        blank,
        blank,
        heading("平差结果 :"),
        blank,
        blank,
        heading("待定点 ( B )"),
        valueLine("xp1=", number(printed::coordinate(r.xp1))),
        valueLine("yp1=", number(printed::coordinate(r.yp1))),
        blank,
    };
    appendPrecision(steps, r.B);
    steps.insert(steps.end(), {
        blank,
        heading("待定点 ( D )"),
        valueLine("xp2=", number(printed::coordinate(r.xp2))),
        valueLine("yp2=", number(printed::coordinate(r.yp2))),
        blank,
    });
    appendPrecision(steps, r.D);
    return steps;
}

void printReportLines(Printer& printer, const Observations& observations, const AdjustmentResult& result)
{
    printer.setPosition(reportLeftTwips, reportTopTwips);
    printer.setFontName(reportFontName);
    printer.setFontSize(titleFontSize);
    for (const ReportStep& step : reportSteps(observations, result)) {
        if (const auto* size = std::get_if<FontSize>(&step))
            printer.setFontSize(size->points);
        else
            printer.printLine(std::get<Line>(step));
    }
}

void printReport(Printer& printer, const Observations& observations, const AdjustmentResult& result)
{
    printReportLines(printer, observations, result);
    printer.endDocument();
}

} // namespace korvane
