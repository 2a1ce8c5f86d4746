#include "scratch_file.h"

#include "comma_locale.h"
#include "field_run.h"
#include "observation_file.h"
#include "point_files.h"
#include "results_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

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
        {"results, a fault and a name with a comma",
         [] {
             std::string text;
             appendFaultRow(text, "锁 3, 北", 7, "三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。");
             return text;
         }},
        {"observation file", [] { return observationFileText("一号锁", {3521.418, 1204.337, 4497.112, 2188.65, 902.1006,
                                                                         870.9382, 889.6279, 951.5497, 1158.3709}); }},
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

    "\xEF\xBB\xBF名称,行,状态,S3,w,限差,ms,xp1,yp1,1/px1,1/py1,mx1,my1,md1,xp2,yp2,1/px2,1/py2,mx2,my2,md2\r\n"
    "一号锁,2,合格,1259.5150,-6.91,12.34,9.18,3457402.533,512391.203,0.86684,0.81367,8.54,8.28,11.89,"
    "3456911.340,513154.899,0.92162,0.77555,8.81,8.08,11.95\r\n",

    "\"锁 3, 北\",7,三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。,,,,,,,,,,,,,,,,,,\r\n",

    "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n"
    "一号锁,3521.418,1204.337,4497.112,2188.65,902.1006,870.9382,889.6279,951.5497,1158.3709\r\n",
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

// A figure saved and opened again computes exactly as the values typed.
TEST(FileWriters, ObservationFileReadsBackTheVerySameDoubles)
{
    const struct {
        const char* name;
        std::string figureName;
        Observations values;
    } cases[] = {
        {"values with no short binary form", "一号锁", {0.1, 0.2, 0.30000000000000004, 1e-7, 3e6, 2.5e-300, 594.0588, -0.0, 1e300}},
        {"the largest and smallest doubles", "#3, \"北\"",
         {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(), -1.7976931348623157e308, 1, 2, 3, 4,
          5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScratchFile file(observationFileText(c.figureName, c.values));
        const std::vector<Figure> figures = readAllFigures(file.path());
        ASSERT_EQ(figures.size(), 1u);
        EXPECT_EQ(figures[0].name, c.figureName);
        const double* written = &c.values.Xa;
        const double* read = &figures[0].values.Xa;
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(read[i]), std::bit_cast<std::uint64_t>(written[i])) << columnName(i + 2);
    }
}

} // namespace
} // namespace korvane::files
