#include "scratch_file.h"

#include "comma_locale.h"
#include "field_run.h"
#include "observation_file.h"
#include "point_files.h"
#include "project_points.h"
#include "results_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace korvane::files {
namespace {

const std::string bom = "\xEF\xBB\xBF";

// A figure's strength as its row gives it: a scale, the smallest angle, the
// largest detectable blunder and its effect on B, none on D (a figure that
// blunder leaves uncomputable), and the md of B and D from the instrument.
FigureStrength strengthOfARow()
{
    FigureStrength strength;
    strength.angles.smallest.degrees = 37.78863;
    strength.largestDetectable = LargestOfSides{27.7561, MeasuredSide::S5};
    strength.largestEffectOnB = LargestOfSides{21.9938, MeasuredSide::S1};
    strength.B.md = 4.8801;
    strength.D.md = 4.9703;
    return strength;
}

// Every writer on the field run of the report's golden text, whose digits
// were checked by hand: the bytes as a CAD program or a spreadsheet gets them.
std::vector<std::pair<const char*, std::function<std::string()>>> writers()
{
    return {
        {"CASS points", [] { return cassPointsText(testing::fieldObservations(), testing::fieldResult()); }},
        {"CSV points", [] { return csvPointsText(testing::fieldObservations(), testing::fieldResult()); }},
        {"results, a computed figure",
         [] {
             std::string text = resultsHeader();
             appendResultRow(text, "一号锁", 2, "合格", "12.34", testing::fieldResult(), -7.23934, strengthOfARow());
             return text;
         }},
        {"results, a fault with its points' names, guarded, and a figure's name with a comma",
         [] {
             std::string text;
             const PointNames names{"GP01", "-K2", "K 3", "D"};
             appendFaultRow(text, "锁 3, 北", 7, "三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。",
                            &names);
             return text;
         }},
        {"observation file", [] { return observationFileText("一号锁", {3521.418, 1204.337, 4497.112, 2188.65, 902.1006,
                                                                         870.9382, 889.6279, 951.5497, 1158.3709}); }},
        {"observation file, names, a height, values beyond and short of their fields' decimals",
         [] {
             return observationFileText("=二号锁", {3521.4185, 0.30000000000000004, -0.0, 1e300, 902.1, 870.93825, 889.0,
                                                  0.1, 1e-5},
                                        {"GP01", "-K2", "K,3", "D"}, 612.5);
         }},
        {"CASS points by their names, guarded",
         [] { return cassPointsText(testing::fieldObservations(), testing::fieldResult(), {"GP01", "-K2", "@3", "'+D"}); }},
        {"CSV points by their names, guarded",
         [] {
             return csvPointsText(testing::fieldObservations(), testing::fieldResult(),
                                  {"=HYPERLINK(\"http://x\";\"y\")", "K 2", "#3", "'K4"});
         }},
        {"results, a formula as a figure's name, a tab, a carriage return, a semicolon",
         [] {
             std::string text;
             appendFaultRow(text, "=HYPERLINK(\"http://x\";\"y\")", 3, "第 3 行第 2 列（Xa）没有数值");
             appendFaultRow(text, "\t+1", 4, "@");
             appendFaultRow(text, "\r", 5, "''-");
             appendFaultRow(text, "K;5", 6, "北;南");
             return text;
         }},
    };
}

const char* const expectedBytes[] = {
    "A,,512345.678,3456789.123,0.000\r\n"
    "B,,512391.203,3457402.533,0.000\r\n"
    "C,,513298.456,3457612.890,0.000\r\n"
    "D,,513154.899,3456911.340,0.000\r\n",

    "\xEF\xBB\xBF点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)\r\n"
    "A,3456789.123,512345.678,,,\r\n"
    "B,3457402.533,512391.203,8.54,8.28,11.89\r\n"
    "C,3457612.890,513298.456,,,\r\n"
    "D,3456911.340,513154.899,8.81,8.08,11.95\r\n",

    "\xEF\xBB\xBF名称,行,状态,S3,w,限差,ms,xp1,yp1,1/px1,1/py1,mx1,my1,md1,xp2,yp2,1/px2,1/py2,mx2,my2,md2,"
    "尺度(ppm),最小角(度),可发现粗差(毫米),B最大影响(毫米),D最大影响(毫米),验前md1(毫米),验前md2(毫米),"
    "A点名,B点名,C点名,D点名\r\n"
    "一号锁,2,合格,1259.5150,-6.91,12.34,9.18,3457402.533,512391.203,0.86684,0.81367,8.54,8.28,11.89,"
    "3456911.340,513154.899,0.92162,0.77555,8.81,8.08,11.95,-7.24,37.8,27.8,22.0,,4.88,4.97,A,B,C,D\r\n",

    "\"锁 3, 北\",7,三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。,,,,,,,,,,,,,,,,,,,,,,,,,,GP01,'-K2,K 3,D\r\n",

    "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n"
    "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\r\n",

    "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名,平均高程\r\n"
    "'=二号锁,3521.4185,0.30000000000000004,-0.000,1e+300,902.1000,870.93825,889.0000,0.1000,0.00001,"
    "GP01,'-K2,\"K,3\",D,612.500\r\n",

    "GP01,,512345.678,3456789.123,0.000\r\n"
    "'-K2,,512391.203,3457402.533,0.000\r\n"
    "'@3,,513298.456,3457612.890,0.000\r\n"
    "''+D,,513154.899,3456911.340,0.000\r\n",

    "\xEF\xBB\xBF点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)\r\n"
    "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",3456789.123,512345.678,,,\r\n"
    "K 2,3457402.533,512391.203,8.54,8.28,11.89\r\n"
    "\"#3\",3457612.890,513298.456,,,\r\n"
    "'K4,3456911.340,513154.899,8.81,8.08,11.95\r\n",

    "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",3,第 3 行第 2 列（Xa）没有数值,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"
    "\"'\t+1\",4,'@,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"
    "\"'\r\",5,'''-,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"
    "\"K;5\",6,\"北;南\",,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n",
};

TEST(FileWriters, WriteTheExactBytes)
{
    const auto all = writers();
    ASSERT_EQ(all.size(), std::size(expectedBytes));
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i].first);
        EXPECT_EQ(all[i].second(), expectedBytes[i]);
    }
}

// Digits never follow the desktop's locale.
TEST(FileWriters, CommaDecimalDesktopWritesTheSameBytes)
{
    testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    const auto all = writers();
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i].first);
        EXPECT_EQ(all[i].second(), expectedBytes[i]);
    }
}

std::optional<std::uint64_t> bitsOf(std::optional<double> value)
{
    return value ? std::optional(std::bit_cast<std::uint64_t>(*value)) : std::nullopt;
}

// A figure saved and opened again computes exactly as the values typed, its
// figure and points under the very names they had, whatever a spreadsheet
// would make of them.
TEST(FileWriters, ObservationFileReadsBackTheVerySameDoubles)
{
    const Observations worked{3521.418, 1204.337, 4497.112, 2188.65, 902.1006, 870.9382, 889.6279, 951.5497, 1158.3709};
    const struct {
        const char* name;
        std::string figureName;
        Observations values;
        PointNames points = letterNames;
        std::optional<double> meanHeight = std::nullopt;
    } cases[] = {
        {"values with no short binary form", "一号锁", {0.1, 0.2, 0.30000000000000004, 1e-7, 3e6, 2.5e-300, 594.0588, -0.0, 1e300}},
        {"the largest and smallest doubles", "#3, \"北\"",
         {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(), -1.7976931348623157e308, 1, 2, 3, 4,
          5, 6}},
        {"=, and a height", "=1+2", worked, {"=A1", "=", "K=", "D"}, -0.0005},
        {"+", "+86 一号锁", worked, {"+K1", "+", "B", "C"}, 1e-7},
        {"-", "-", worked, {"-1", "--", "C", "-D"}},
        {"@", "@SUM(1)", worked, {"@", "@K", "C", "D"}},
        {"a tab", "\t=1", worked},
        {"a carriage return", "\r@", worked},
        {"a quote and separators in the figure's name", "\"=1\";2,\t3", worked, {"K'", "B", "C", "D"}},
        {"a leading #", "#4", worked, {"#1", "#=", "C", "#"}},
        {"a byte-order mark in front", "\xEF\xBB\xBF=1", worked, {"\xEF\xBB\xBF", "\xEF\xBB\xBF-2", "C", "D"}},
        {"' alone and before text", "'", worked, {"'", "'K", "''", "C'"}},
        {"' before a formula's first character", "'=1", worked, {"'=1", "''+2", "'''-3", "'@"}},
        {"names of 32 characters, one of them behind its guard", "锁", worked,
         {"=" + std::string(31, 'K'), "测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测", "C", "D"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScratchFile file(observationFileText(c.figureName, c.values, c.points, c.meanHeight));
        const std::vector<Figure> figures = readAllFigures(file.path());
        ASSERT_EQ(figures.size(), 1u);
        EXPECT_EQ(figures[0].name, c.figureName);
        EXPECT_EQ(figures[0].points, c.points);
        const double* written = &c.values.Xa;
        const double* read = &figures[0].values.Xa;
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(read[i]), std::bit_cast<std::uint64_t>(written[i])) << columnName(i + 2);
        EXPECT_EQ(bitsOf(figures[0].meanHeight), bitsOf(c.meanHeight));
    }
}

// The corners of a figure as a compute leaves them, in metres north and
// east: A and C as entered, B and D as placed.
std::pair<Observations, AdjustmentResult> corners(double xa, double ya, double xb, double yb, double xc, double yc,
                                                  double xd, double yd)
{
    AdjustmentResult r;
    r.xp1 = xb;
    r.yp1 = yb;
    r.xp2 = xd;
    r.yp2 = yd;
    return {Observations{xa, ya, xc, yc, 0, 0, 0, 0, 0}, r};
}

// After a first figure on line 2, a second one whose A is the first one's C
// and whose C is the first one's B, that far off: within a millimetre they
// are the same points, written once; beyond it, the name is refused with
// the line that first brought it, and none of the second figure's points is
// taken, not even the new one before the clash. B and D of one figure
// cannot share a name either.
TEST(ProjectPoints, EachNameOnceAndNoNameForTwoPoints)
{
    const auto [o1, r1] = corners(1000, 2000, 1500, 1900, 1400, 2600, 900, 2500);
    const struct {
        const char* name;
        double offNorth; // of the second figure's C from the first one's B, metres
        PointNames names;
        std::optional<PointClash> clash;
        std::string written; // by the second figure
    } cases[] = {
        {"0.9 mm off", 0.0009, {"GP02", "K3", "K1", "K4"}, {}, "K3,,2300.000,1800.000,0.000\r\nK4,,3000.000,1100.000,0.000\r\n"},
        {"1.1 mm off", 0.0011, {"GP02", "K3", "K1", "K4"}, PointClash{"K1", 2}, ""},
        {"B and D under one name", 0, {"GP02", "K3", "K1", "K3"}, PointClash{"K3", 3}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectPoints project(pointsFormatOf("测区.dat"));
        std::string first;
        ASSERT_EQ(project.take(2, o1, r1, {"GP01", "K1", "GP02", "K2"}, first), std::nullopt);
        EXPECT_EQ(first, "GP01,,2000.000,1000.000,0.000\r\nK1,,1900.000,1500.000,0.000\r\n"
                         "GP02,,2600.000,1400.000,0.000\r\nK2,,2500.000,900.000,0.000\r\n");
        const auto [o2, r2] = corners(1400, 2600, 1800, 2300, 1500 + c.offNorth, 1900, 1100, 3000);
        std::string second;
        const std::optional<PointClash> clash = project.take(3, o2, r2, c.names, second);
        ASSERT_EQ(clash.has_value(), c.clash.has_value());
        if (clash) {
            EXPECT_EQ(clash->name, c.clash->name);
            EXPECT_EQ(clash->firstLine, c.clash->firstLine);
        }
        EXPECT_EQ(second, c.written);
    }
    EXPECT_EQ(pointsFormatOf("测区.CSV"), PointsFormat::Csv);
    EXPECT_EQ(pointsFormatOf("测区.csv.dat"), PointsFormat::Cass);
}

} // namespace
} // namespace korvane::files
