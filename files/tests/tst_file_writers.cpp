#include "scratch_file.h"

#include "comma_locale.h"
#include "field_run.h"
#include "observation_file.h"
#include "point_files.h"
#include "project_points.h"
#include "results_table.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace korvane::files {
namespace {

const std::string bom = "\xEF\xBB\xBF";

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
             appendResultRow(text, "一号锁", 2, "合格", "12.34", testing::fieldResult());
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
        {"results, a formula as a figure's name, a tab, a carriage return",
         [] {
             std::string text;
             appendFaultRow(text, "=HYPERLINK(\"http://x\";\"y\")", 3, "第 3 行第 2 列（Xa）没有数值");
             appendFaultRow(text, "\t+1", 4, "@");
             appendFaultRow(text, "\r", 5, "''-");
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
    "A点名,B点名,C点名,D点名\r\n"
    "一号锁,2,合格,1259.5150,-6.91,12.34,9.18,3457402.533,512391.203,0.86684,0.81367,8.54,8.28,11.89,"
    "3456911.340,513154.899,0.92162,0.77555,8.81,8.08,11.95,A,B,C,D\r\n",

    "\"锁 3, 北\",7,三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。,,,,,,,,,,,,,,,,,,,GP01,'-K2,K 3,D\r\n",

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

    "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",3,第 3 行第 2 列（Xa）没有数值,,,,,,,,,,,,,,,,,,,,,,\r\n"
    "\"'\t+1\",4,'@,,,,,,,,,,,,,,,,,,,,,,\r\n"
    "\"'\r\",5,'''-,,,,,,,,,,,,,,,,,,,,,,\r\n",
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

// The four corners of a figure as a compute leaves them: A and C as
// entered, B and D as placed, in metres north and east.
struct Corners {
    Observations observations;
    AdjustmentResult result;
};

Corners corners(std::array<double, 2> A, std::array<double, 2> B, std::array<double, 2> C, std::array<double, 2> D)
{
    Corners figure;
    figure.observations.Xa = A[0];
    figure.observations.Ya = A[1];
    figure.observations.Xc = C[0];
    figure.observations.Yc = C[1];
    figure.result.xp1 = B[0];
    figure.result.yp1 = B[1];
    figure.result.xp2 = D[0];
    figure.result.yp2 = D[1];
    figure.result.B.md = 8.25f;
    figure.result.D.md = 8.32f;
    return figure;
}

// A project's figures into one points file, each in its turn: a control
// point that serves two figures is written once, a new point that the next
// figure takes as its control point once, and a name met again farther than
// a millimetre off is refused with the line that first brought it, the
// figure's other points then not taken either.
TEST(ProjectPoints, EachNameOnceAndNoNameForTwoPoints)
{
    const Corners first = corners({1000, 2000}, {1500, 1900}, {1400, 2600}, {900, 2500});
    const PointNames firstNames{"GP01", "K1", "GP02", "K2"};
    struct Figure {
        long line;
        Corners corners;
        PointNames names;
        std::optional<PointClash> clash;
    };
    const struct {
        const char* name;
        std::vector<Figure> later; // after the first figure, on line 2
        std::string written;       // by the later figures, CASS
    } cases[] = {
        {"control points shared, a new point taken as a control point 0.9 mm off",
         {{3, corners({1400, 2600}, {1800, 2300}, {1500.0009, 1900}, {1100, 3000}), {"GP02", "K3", "K1", "K4"}, {}}},
         "K3,,2300.000,1800.000,0.000\r\nK4,,3000.000,1100.000,0.000\r\n"},
        {"a name 1.1 mm off is another point",
         {{5, corners({1400, 2600}, {1800, 2300}, {1500, 1900.0011}, {1100, 3000}), {"GP02", "K3", "K1", "K4"},
           PointClash{"K1", 2}}},
         ""},
        {"after a clash the same names are still free",
         {{5, corners({1400, 2600}, {1800, 2300}, {1600, 1900}, {1100, 3000}), {"GP02", "K3", "K1", "K4"},
           PointClash{"K1", 2}},
          {6, corners({1400, 2600}, {1800, 2300}, {1500, 1900}, {1100, 3000}), {"GP02", "K3", "K1", "K4"}, {}}},
         "K3,,2300.000,1800.000,0.000\r\nK4,,3000.000,1100.000,0.000\r\n"},
        {"B and D of one figure under one name",
         {{4, corners({1400, 2600}, {1800, 2300}, {1500, 1900}, {1100, 3000}), {"GP02", "K3", "K1", "K3"},
           PointClash{"K3", 4}}},
         ""},
        {"a control point with other coordinates than before",
         {{7, corners({1400.01, 2600}, {1800, 2300}, {1500, 1900}, {1100, 3000}), {"GP02", "K3", "K1", "K4"},
           PointClash{"GP02", 2}}},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectPoints project(PointsFormat::Cass);
        std::string text;
        ASSERT_EQ(project.take(2, first.observations, first.result, firstNames, text), std::nullopt);
        EXPECT_EQ(text, "GP01,,2000.000,1000.000,0.000\r\nK1,,1900.000,1500.000,0.000\r\n"
                        "GP02,,2600.000,1400.000,0.000\r\nK2,,2500.000,900.000,0.000\r\n");
        text.clear();
        for (const Figure& figure : c.later) {
            const std::optional<PointClash> clash =
                project.take(figure.line, figure.corners.observations, figure.corners.result, figure.names, text);
            EXPECT_EQ(clash.has_value(), figure.clash.has_value()) << "line " << figure.line;
            if (clash && figure.clash) {
                EXPECT_EQ(clash->name, figure.clash->name);
                EXPECT_EQ(clash->firstLine, figure.clash->firstLine);
            }
        }
        EXPECT_EQ(text, c.written);
    }

    // the spreadsheet's kind by the suffix in any letter case, with its
    // header once and the precision of the new points
    for (const char* path : {"测区.csv", "测区.CSV", "a.b.Csv"})
        EXPECT_EQ(pointsFormatOf(path), PointsFormat::Csv) << path;
    for (const char* path : {"测区.dat", "测区.csv.dat", "csv", "测区", ""})
        EXPECT_EQ(pointsFormatOf(path), PointsFormat::Cass) << path;
    ProjectPoints spreadsheet(PointsFormat::Csv);
    std::string text = pointsHeader(PointsFormat::Csv);
    spreadsheet.take(2, first.observations, first.result, {"=GP01", "K1", "GP02", "K2"}, text);
    EXPECT_EQ(text, bom + "点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)\r\n'=GP01,1000.000,2000.000,,,\r\n"
                          "K1,1500.000,1900.000,0.00,0.00,8.25\r\nGP02,1400.000,2600.000,,,\r\n"
                          "K2,900.000,2500.000,0.00,0.00,8.32\r\n");
}

} // namespace
} // namespace korvane::files
