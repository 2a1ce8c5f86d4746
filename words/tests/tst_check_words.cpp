#include "check_words.h"

#include "batch_words.h"
#include "figure_title.h"
#include "strength_words.h"

#include "adjustment.h"
#include "checked_networks.h"
#include "comma_locale.h"
#include "grid_networks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
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
    // each point by its name: B first, seen from A towards C, then D
    EXPECT_EQ(sidesText(SideOfLine::Right, SideOfLine::OnTheLine, {"GP01", "K12", "GP02", "K13"}),
              "K12 在 GP01→GP02 的右侧，K13 在连线上");
}

// A scale's sign as the surveyor writes it: a true minus, a plus, none for
// a scale that shows as zero.
TEST(StrengthWords, ScalesAndTheirSigns)
{
    const struct {
        double ppm;
        int decimals;
        const char* text;
    } cases[] = {
        {-7.23934, 2, "\u22127.24 ppm"}, {22.90807, 2, "+22.91 ppm"}, {-0.004, 2, "0.00 ppm"}, {0.06, 1, "+0.1 ppm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ppmText(c.ppm, c.decimals), c.text) << c.ppm;
    EXPECT_EQ(reducedSidesText(-58.04), "边长已归算：\u221258.0 ppm");
    // the Δ that explains w: signed, none for one that shows as zero
    EXPECT_EQ(signedMillimetres(12.34), "+12.3");
    EXPECT_EQ(signedMillimetres(-0.06), "-0.1");
    EXPECT_EQ(signedMillimetres(0.04), "0.0");
    // a weak angle's triangle and corner by the points' names
    EXPECT_EQ(weakGeometryText({FigureTriangle::ABD, Corner::D, 12.34}, {"GP01", "K1", "GP02", "K2"}),
              "图形较弱：三角形 GP01-K1-K2 在 K2 的角为 12.3°（规范要求三角形内角不小于 30°），本检核不可靠");
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

// Every way a compute can end has its words and its tone: nothing before a
// compute; plain words for one that stopped, and the verdict's colour only
// for a w that is this compute's and beyond its limit, or for a compute
// that finished. The digits are the independent check's.
TEST(CheckLineText, EveryWayAComputeEndsHasItsWordsAndTone)
{
    using Tone = CheckLineText::Tone;
    const CheckedNetwork& within = checkedNetworks()[0];
    const CheckedNetwork& beyond = checkedNetworks()[1];
    const std::string unfinished = "。本次计算未完成，灰色的数值不是本次计算的结果";
    const auto line = [](const CheckedNetwork& network) {
        return std::string("闭合差检核：w = ") + network.wText + "秒，限差 ±" + network.limitText
               + "秒（测距精度 2 mm + 2 ppm），" + (network.withinLimit ? passed : exceeded);
    };
    const struct {
        const char* name;
        ComputeEnd end;
        const CheckedNetwork& network;
        std::string text;
        Tone tone;
    } cases[] = {
        {"no compute yet", ComputeEnd::None, within, "", Tone::Plain},
        {"stopped before w", ComputeEnd::StoppedBeforeMisclosure, beyond, "闭合差检核：本次计算未完成", Tone::Plain},
        {"stopped after a w within its limit", ComputeEnd::StoppedAfterMisclosure, within, line(within) + unfinished,
         Tone::Plain},
        {"stopped after a w beyond its limit", ComputeEnd::StoppedAfterMisclosure, beyond, line(beyond) + unfinished,
         Tone::Fail},
        {"finished within the limit", ComputeEnd::Finished, within, line(within), Tone::Pass},
        {"finished beyond the limit", ComputeEnd::Finished, beyond, line(beyond), Tone::Fail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Observations o = c.network.measured;
        AdjustmentResult r;
        AdjustmentTerms terms;
        adjust(o, r, {}, &terms);
        const CheckLineText shown = checkLineText(c.end, terms, r.w, defaultAccuracy);
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.tone, c.tone);
    }
}

// The line of a compute as the window shows it: ground distances on a
// national grid beyond the limit with the question, and reduced, passing
// with their reduction said.
TEST(CheckLineText, GroundDistancesOnANationalGridAsMeasuredAndReduced)
{
    using Tone = CheckLineText::Tone;
    const testing::GridFigure& grid = testing::groundDistancesOnTheNationalGrid();
    const auto computed = [](const Observations& values, const DistanceReduction& reduction) {
        FigureCompute compute;
        compute.setReduction(reduction);
        compute.computeWhole(values);
        return checkLineText(compute);
    };
    const struct {
        const char* name;
        CheckLineText line;
        std::string text;
        Tone tone;
    } cases[] = {
        {"national grid as measured", computed(grid.measured, noReduction),
         "闭合差检核：w = 27.56秒，限差 ±4.13秒（测距精度 2 mm + 2 ppm），" + exceeded
             + "。闭合差相当于边长尺度误差 \u221269.81 ppm：边长是否已归算到投影面？",
         Tone::Fail},
        {"national grid reduced", computed(grid.measured, grid.reduction),
         "闭合差检核：w = 0.31秒，限差 ±4.13秒（测距精度 2 mm + 2 ppm），合格。边长已归算：\u221269.1 ppm", Tone::Pass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.line.text, c.text);
        EXPECT_EQ(c.line.tone, c.tone);
    }

    // a scale under 10 ppm asks nothing; reduced sides are not asked about again
    Observations measured = grid.measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(measured, r, {}, &terms);
    const MisclosureCheck beyond = checkMisclosure(terms, r.w, defaultAccuracy);
    const std::string start = "闭合差检核：w = 27.56秒，限差 ±4.13秒（测距精度 2 mm + 2 ppm），" + exceeded;
    EXPECT_EQ(figureCheckLine(beyond, defaultAccuracy, {{}, 9.99, {}}), start);
    // 10 ppm itself asks, of either sign
    EXPECT_EQ(figureCheckLine(beyond, defaultAccuracy, {{}, 10.0, {}}),
              start + "。闭合差相当于边长尺度误差 +10.00 ppm：边长是否已归算到投影面？");
    EXPECT_EQ(figureCheckLine(beyond, defaultAccuracy, {{}, -10.0, {}}),
              start + "。闭合差相当于边长尺度误差 \u221210.00 ppm：边长是否已归算到投影面？");
    EXPECT_EQ(figureCheckLine(beyond, defaultAccuracy, {{}, -69.81, grid.meanPpm}),
              start + "。边长已归算：\u221269.1 ppm");
}

// The batch's lines: a row by its line and name, a figure beyond its limit
// by w and the limit, and the summary, each count in its place.
TEST(BatchWords, RowsAndTheSummaryAsTheSurveyorReadsThem)
{
    Observations o = checkedNetworks()[1].measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(o, r, {}, &terms);
    const std::string beyond = exceededText(checkMisclosure(terms, r.w, defaultAccuracy));
    EXPECT_EQ(beyond, "超限，w = -10.84秒，限差 ±4.19秒");
    EXPECT_EQ(rowLine(4, "二号锁", beyond), "第 4 行 二号锁：超限，w = -10.84秒，限差 ±4.19秒");
    EXPECT_EQ(rowLine(12, "", "第 12 行第 4 列（Xc）没有数值"), "第 12 行：第 12 行第 4 列（Xc）没有数值");
    EXPECT_EQ(summaryLine({.passed = 3, .exceeded = 2, .failed = 1}), "共 6 个图形：合格 3，超限 2，错误 1");
    EXPECT_EQ(summaryLine({}), "共 0 个图形：合格 0，超限 0，错误 0");
    EXPECT_EQ(summaryLine({.passed = 3, .weak = 4, .exceeded = 2, .failed = 1}),
              "共 10 个图形：合格 3，图形较弱 4，超限 2，错误 1");
    EXPECT_EQ(noReportsLine(), "没有计算完成的图形，没有写入 PDF 文件。");
    // a name from someone else's file drives no terminal and floods no line
    EXPECT_EQ(rowLine(5, "\x1b[2J\x1b[31m锁", beyond), "第 5 行 \\x1b[2J\\x1b[31m锁：超限，w = -10.84秒，限差 ±4.19秒");
    EXPECT_EQ(rowLine(6, std::string(40, 'K'), "超限"), "第 6 行 " + std::string(32, 'K') + "…：超限");
    EXPECT_EQ(pointClashText("K12", 2, 5), "点名 K12 在第 2 行与第 5 行的坐标不同");
    EXPECT_EQ(sameFileLine(BatchFile::Results, "./测区.csv", BatchFile::Observations, "测区.csv"),
              "结果文件（--output）“./测区.csv”与观测文件“测区.csv”是同一个文件，写入会覆盖它。"
              "没有写入任何文件；请给输出另选一个文件名。");
    EXPECT_EQ(sameFileLine(BatchFile::Points, "p.pdf", BatchFile::Reports, "./p.pdf"),
              "坐标文件（--points）“p.pdf”与PDF 文件（--pdf）“./p.pdf”是同一个文件，写入会覆盖它。"
              "没有写入任何文件；请给输出另选一个文件名。");
}

// A line without a name is titled by its line; a compute that stopped
// leaves the window untitled, its pages still named; a name is quoted as a
// cell. The date as a surveyor dates a form.
TEST(FigureTitle, AFigureFromAFileByItsNameOrLine)
{
    FigureCompute compute;
    compute.setIdentity({"", 7, letterNames});
    compute.computeWhole(checkedNetworks()[0].measured);
    EXPECT_EQ(windowTitle(compute), "Korvane — 第 7 行");
    compute.setIdentity({"\x1b[2J" + std::string(40, 'x'), 3, letterNames});
    compute.stopEntry();
    EXPECT_EQ(windowTitle(compute), "Korvane");
    EXPECT_EQ(runningHeader(compute).value().left, "\\x1b[2J" + std::string(28, 'x') + "… · 第 3 行");
    // finished, the window is titled by the name as a message quotes it
    compute.computeWhole(checkedNetworks()[0].measured);
    EXPECT_EQ(windowTitle(compute), "Korvane — \\x1b[2J" + std::string(28, 'x') + "…");
    std::tm day{};
    day.tm_year = 2024 - 1900;
    day.tm_mon = 4;
    day.tm_mday = 1;
    day.tm_hour = 12;
    day.tm_isdst = -1;
    EXPECT_EQ(dateText(std::chrono::system_clock::from_time_t(std::mktime(&day))), "2024-05-01");
}

} // namespace
} // namespace korvane
