#include "figure_sheet.h"

#include "adjustment.h"
#include "check_words.h"
#include "checked_networks.h"
#include "comma_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace korvane {
namespace {

using testing::CheckedNetwork;
using testing::checkedNetworks;

const CheckedNetwork& network(const std::string& name)
{
    const auto& all = checkedNetworks();
    const auto found = std::find_if(all.begin(), all.end(), [&](const CheckedNetwork& n) { return n.name == name; });
    EXPECT_NE(found, all.end()) << name;
    return *found;
}

FigureSheet sheetOf(const CheckedNetwork& n, const FigureIdentity& figure = {})
{
    Observations o = n.measured;
    AdjustmentResult r;
    AdjustmentTerms terms;
    adjust(o, r, {}, &terms);
    return figureSheet(o, r, terms, n.accuracy, figure);
}

// The labels of the sides and the ellipses of B and D, against a condition
// adjustment computed apart from the program: angles by arccosine in 40
// digits, the condition's gradient by central differences, v = -a w / [aa],
// and the ellipses from the covariance of the adjusted sides carried through
// a numerical Jacobian of the placement of B and D. On a German desktop, so
// no decimal comma can slip in.
TEST(FigureSheet, LabelsAndEllipsesAgreeWithAnIndependentAdjustment)
{
    const struct {
        const char* network;
        std::array<const char*, 6> labels; // S1, S2, S3, S4, S5, S6
        std::array<const char*, 2> ellipses; // B, D: "E F phi"
    } cases[] = {
        {"workedExample",
         {"S1 902.0979 (v -2.7)", "S2 870.9353 (v -2.9)", "S3 1385.9476 (已知边)", "S4 889.6252 (v -2.7)",
          "S5 951.5471 (v -2.6)", "S6 1158.3744 (v +3.5)"},
         {"5.88 5.79 17.9", "6.09 5.67 45.2"}},
        {"diagonalFiveCentimetresLong",
         {"S1 902.1092 (v +8.6)", "S2 870.9473 (v +9.1)", "S3 1385.9476 (已知边)", "S4 889.6364 (v +8.5)",
          "S5 951.5580 (v +8.3)", "S6 1158.4098 (v -11.1)"},
         {"18.60 18.33 18.0", "19.26 17.94 45.2"}},
        // B takes the place of D mirrored across A-C, and D that of B
        {"bAndDSwapped",
         {"S1 951.5471 (v -2.6)", "S2 889.6252 (v -2.7)", "S3 1385.9476 (已知边)", "S4 870.9353 (v -2.9)",
          "S5 902.0979 (v -2.7)", "S6 1158.3744 (v +3.5)"},
         {"6.09 5.67 45.3", "5.88 5.79 72.6"}},
        // long across A-C, the axis of D just west of north: 179.4, not -0.6
        {"longThinFigure",
         {"S1 1011.1893 (v -2.1)", "S2 1011.1821 (v -2.3)", "S3 2000.0000 (已知边)", "S4 917.8237 (v -1.8)",
          "S5 1114.6330 (v -2.0)", "S6 344.8155 (v +0.7)"},
         {"13.09 3.00 0.6", "12.88 3.01 179.4"}},
    };
    const testing::CommaDecimalLocale german;
    ASSERT_TRUE(german.active()) << german.problem();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.network);
        const FigureSheet sheet = sheetOf(network(c.network));
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(sheet.sides[i].label, c.labels[i]);
        ASSERT_EQ(sheet.ellipseTable.rows.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const auto& row = sheet.ellipseTable.rows[i];
            EXPECT_EQ(row[0], i == 0 ? "B" : "D");
            EXPECT_EQ(row[1] + " " + row[2] + " " + row[3], c.ellipses[i]);
        }
    }
}

TEST(FigureSheet, TableOfTheWorkedExample)
{
    const CheckedNetwork& worked = network("workedExample");
    const FigureSheet sheet = sheetOf(worked);
    EXPECT_EQ(sheet.checkLine, "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格");
    EXPECT_TRUE(sheet.withinLimit);
    EXPECT_EQ(sheet.ellipseTable.header,
              (std::vector<std::string>{"验后误差椭圆", "E（毫米）", "F（毫米）", "φ（度）"}));
    EXPECT_EQ(sheet.sideTable.header,
              (std::vector<std::string>{"观测边", "观测值（米）", "v（毫米）", "测距中误差（毫米）"}));
    EXPECT_EQ(sheet.aPrioriTable.header, (std::vector<std::string>{"验前精度", "mx（毫米）", "my（毫米）", "md（毫米）",
                                                                   "E（毫米）", "F（毫米）", "φ（度）"}));
    EXPECT_EQ(sheet.reliabilityTable.header,
              (std::vector<std::string>{"观测边", "r（%）", "∇（毫米）", "B 移动（毫米）", "D 移动（毫米）"}));
    EXPECT_TRUE(sheet.reductionTable.rows.empty() && sheet.blunderAdvice.empty());
    // measured as typed; v as in the labels; m_i = 2 mm + 2 ppm of the side
    const std::vector<std::vector<std::string>> sides{
        {"S1", "902.1006", "-2.7", "3.8"}, {"S2", "870.9382", "-2.9", "3.7"}, {"S4", "889.6279", "-2.7", "3.8"},
        {"S5", "951.5497", "-2.6", "3.9"}, {"S6", "1158.3709", "+3.5", "4.3"},
    };
    EXPECT_EQ(sheet.sideTable.rows, sides);
    EXPECT_EQ(sheet.sidesSentence, "B 在 A→C 的左侧，D 在右侧");
    EXPECT_EQ(sheet.heading, "网图与检核");

    // a figure from a file: its name and line in the heading, each point by
    // its name at the point, in the table and in the sentence
    const FigureSheet named = sheetOf(worked, {"一号锁", 2, {"GP01", "K1", "GP02", "K2"}});
    EXPECT_EQ(named.heading, "网图与检核 — 一号锁 · 第 2 行");
    const std::string names[] = {named.points[0].name, named.points[1].name, named.points[2].name, named.points[3].name};
    EXPECT_EQ(std::vector<std::string>(std::begin(names), std::end(names)),
              (std::vector<std::string>{"GP01", "K1", "GP02", "K2"}));
    EXPECT_EQ(named.ellipseTable.rows[0][0], "K1");
    EXPECT_EQ(named.ellipseTable.rows[1][0], "K2");
    EXPECT_EQ(named.ellipseTable.rows[1][1], sheet.ellipseTable.rows[1][1]);
    EXPECT_EQ(named.sidesSentence, "K1 在 GP01→GP02 的左侧，K2 在右侧");

    const FigureSheet blunder = sheetOf(network("diagonalFiveCentimetresLong"));
    EXPECT_FALSE(blunder.withinLimit);
    EXPECT_EQ(blunder.checkLine.substr(0, blunder.checkLine.find("（")), "闭合差检核：w = -10.84秒，限差 ±4.19秒");
    EXPECT_EQ(blunder.reliabilityTable.header.back(), "Δ（毫米）");
}

bool isRound(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    const double leading = value / power;
    const double steps[] = {1.0, 2.0, 5.0};
    return std::any_of(std::begin(steps), std::end(steps), [&](double step) { return std::abs(leading - step) < 1e-9; });
}

// On every network, the ellipse of B or D, whichever is larger, magnified
// by a round factor, spans more than 4.8 % and at most 12 % of the figure,
// and the factor is stated as the plan states it.
TEST(FigureSheet, MagnificationIsARoundNumberThatShowsTheLargerEllipse)
{
    for (const CheckedNetwork& n : checkedNetworks()) {
        SCOPED_TRACE(n.name);
        const FigureSheet sheet = sheetOf(n);
        EXPECT_TRUE(isRound(sheet.magnification)) << sheet.magnification;
        EXPECT_EQ(sheet.magnificationText, "误差椭圆放大 " + roundNumberText(sheet.magnification) + " 倍");

        double south = sheet.points[0].X, north = south, west = sheet.points[0].Y, east = west;
        for (const SheetPoint& p : sheet.points) {
            south = std::min(south, p.X), north = std::max(north, p.X);
            west = std::min(west, p.Y), east = std::max(east, p.Y);
        }
        const double larger =
            std::max(sheet.ellipses[0].ellipse.semiMajor, sheet.ellipses[1].ellipse.semiMajor); // mm
        const double share = larger / 1000 * sheet.magnification / std::max(north - south, east - west);
        EXPECT_GT(share, 0.048);
        EXPECT_LE(share, 0.12);

        // the ellipses' own scale bar: a round length no longer than the larger
        EXPECT_TRUE(isRound(sheet.millimetreBar));
        EXPECT_LE(sheet.millimetreBar, larger);
        EXPECT_GT(sheet.millimetreBar, 0.4 * larger);
        EXPECT_EQ(sheet.millimetreBarText, roundNumberText(sheet.millimetreBar) + " 毫米");
    }
}

// A figure whose sides fit exactly has ms = 0 and no ellipse after the
// adjustment (验后 0.00); the drawing shows the instrument's ellipses at the
// worked example's magnification, not rounding noise magnified beyond
// reason. The exact figure's sides are the worked example's corners'
// distances to 0.1 nm.
TEST(FigureSheet, AFigureWithoutErrorDrawsTheInstrumentsEllipses)
{
    const Observations exact{3521.418, 1204.337, 4497.112, 2188.650, 902.0974047463, 870.9351790834,
                             889.6248083614, 951.5467789410, 1158.3733649964};
    Observations withZeroMs = network("workedExample").measured;
    for (Observations o : {exact, withZeroMs}) {
        AdjustmentResult r;
        AdjustmentTerms terms;
        adjust(o, r, {}, &terms);
        r.ms = 0.0f;
        const FigureSheet sheet = figureSheet(o, r, terms, defaultAccuracy);
        EXPECT_EQ(sheet.magnification, 20000.0);
        EXPECT_EQ(sheet.magnificationText, "误差椭圆放大 20000 倍");
        EXPECT_EQ(sheet.millimetreBarText, "2 毫米");
        EXPECT_EQ(sheet.ellipseTable.rows[0][1], "0.00");
        EXPECT_EQ(sheet.aPrioriTable.rows[0][5], "3.40") << "F of B from the instrument";
        EXPECT_EQ(sheet.verdict, FigureVerdict::Sound);
    }
}

TEST(FigureSheet, RoundNumbersForScaleBars)
{
    const struct {
        double limit;
        double round;
        const char* text;
    } cases[] = {
        {1.0, 1.0, "1"},          {9.99, 5.0, "5"},        {10.0, 10.0, "10"},
        {199.9, 100.0, "100"},    {4999.0, 2000.0, "2000"}, {0.07, 0.05, "0.05"},
        {3e-4, 2e-4, "0.0002"},   {2.5e7, 2e7, "20000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        EXPECT_DOUBLE_EQ(roundNumberAtMost(c.limit), c.round);
        EXPECT_EQ(roundNumberText(roundNumberAtMost(c.limit)), c.text);
    }
    EXPECT_EQ(metresBarText(500), "500 米");
}

} // namespace
} // namespace korvane
