#include "check_words.h"

#include "adjustment.h"
#include "checked_networks.h"
#include "comma_locale.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

using testing::CheckedNetwork;
using testing::checkedNetworks;

const std::string passed = "合格";
const std::string exceeded = "超限：只有一个多余观测，无法判断哪条边有粗差，请检查输入或重测";

std::string checkLineOf(const CheckedNetwork& network)
{
    Observations o = network.measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(o, r, {}, &terms);
    return misclosureCheckLine(checkMisclosure(terms, r.w, network.accuracy), network.accuracy);
}

// The digits of w and of the limit come from the independent computation,
// so a fault in either, or in the verdict, shows as a different line; and a
// German desktop writes the same points.
TEST(CheckLine, ShowsTheIndependentFiguresAndVerdictOnEveryNetworkInAnyLocale)
{
    const testing::CommaDecimalLocale german;
    ASSERT_TRUE(german.active()) << german.problem();
    for (const CheckedNetwork& network : checkedNetworks()) {
        SCOPED_TRACE(network.name);
        EXPECT_EQ(checkLineOf(network), std::string("闭合差检核：w = ") + network.wText + "秒，限差 ±" + network.limitText
                                            + "秒（测距精度 " + accuracyText(network.accuracy) + "），"
                                            + (network.withinLimit ? passed : exceeded));
    }
}

TEST(CheckLine, WordsAsTheSurveyorReadsThem)
{
    EXPECT_EQ(checkLineOf(checkedNetworks()[0]),
              "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格");
    EXPECT_EQ(checkLineOf(checkedNetworks()[1]),
              "闭合差检核：w = -10.84秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），超限：只有一个多余观测，"
              "无法判断哪条边有粗差，请检查输入或重测");
    EXPECT_EQ(unfinishedCheckLine(), "闭合差检核：本次计算未完成");
    EXPECT_EQ(sidesText(SideOfLine::Left, SideOfLine::Right), "B 在 A→C 的左侧，D 在右侧");
}

TEST(CheckLine, AccuracyInThePlainestDigits)
{
    const struct {
        DistanceAccuracy accuracy;
        const char* text;
    } cases[] = {
        {{2, 2}, "2 mm + 2 ppm"},
        {{0.5, 1}, "0.5 mm + 1 ppm"},
        {{1.5, 0}, "1.5 mm + 0 ppm"},
        {{100, 0.25}, "100 mm + 0.25 ppm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accuracyText(c.accuracy), c.text);
}

// A check that cannot be formed (values far beyond any survey, which no
// entry reaches) says so in the line and ends nothing.
TEST(CheckLineText, AFaultOfTheChecksOwnArithmeticIsALineNotAnError)
{
    AdjustmentTerms absurd;
    absurd.measured = {3e38, 3e38, 3e38, 3e38, 3e38};
    absurd.coefficients = {1e150, 1e150, 1e150, 1e150, 1e150};
    for (const ComputeEnd end : {ComputeEnd::Finished, ComputeEnd::StoppedAfterMisclosure}) {
        const CheckLineText line = checkLineText(end, absurd, 1.0f, defaultAccuracy);
        EXPECT_EQ(line.text, "闭合差检核：数值超出了计算范围，无法求出限差。请检查输入数据");
        EXPECT_EQ(line.tone, CheckLineText::Tone::Fail);
    }
}

} // namespace
} // namespace korvane
