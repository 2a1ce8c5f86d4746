#include "report.h"

#include "field_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace korvane {
namespace {

// Writes every call as one line of text, in the notation of the golden files:
// a report line is numbered and lists its items, texts quoted.
class RecordingPrinter final : public Printer {
public:
    std::vector<std::string> calls;

    void setPosition(int xTwips, int yTwips) override
    {
        calls.push_back("position " + std::to_string(xTwips) + " " + std::to_string(yTwips));
    }
    void setFontName(const std::string& name) override { calls.push_back("font \"" + name + "\""); }
    void setFontSize(int points) override { calls.push_back("size " + std::to_string(points)); }
    void printLine(const Line& items) override
    {
        std::string text = "line " + std::to_string(++lines_) + ":";
        if (items.empty())
            text += " blank";
        for (std::size_t i = 0; i < items.size(); ++i) {
            text += i == 0 ? " " : ", ";
            if (const auto* t = std::get_if<Text>(&items[i]))
                text += "\"" + *t + "\"";
            else if (const auto* column = std::get_if<Column>(&items[i]))
                text += "col " + std::to_string(column->number);
            else
                text += std::to_string(std::get<Spaces>(items[i]).count) + " spaces";
        }
        calls.push_back(text);
    }
    void endDocument() override { calls.push_back("end"); }

    // the recorded line numbered n (1-based)
    std::string line(int n) const
    {
        const std::string prefix = "line " + std::to_string(n) + ":";
        for (const std::string& call : calls)
            if (call.starts_with(prefix))
                return call;
        return "no line " + std::to_string(n);
    }

private:
    int lines_ = 0;
};

std::vector<std::string> goldenLines(const std::string& name)
{
    std::ifstream file(std::string(KORVANE_REPORT_TEST_DIR) + "/" + name);
    EXPECT_TRUE(file) << "cannot read " << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> printed(const Observations& o, const AdjustmentResult& r)
{
    RecordingPrinter printer;
    printReport(printer, o, r);
    return printer.calls;
}

void expectGolden(const std::vector<std::string>& calls, const std::string& goldenName)
{
    const std::vector<std::string> golden = goldenLines(goldenName);
    ASSERT_EQ(calls.size(), golden.size());
    for (std::size_t i = 0; i < golden.size(); ++i)
        EXPECT_EQ(calls[i], golden[i]) << goldenName << ", line " << i + 1;
}

// Before any computation every value is zero and prints in its pattern.
TEST(Report, ZeroRecordsPrintEveryLineWithZerosInTheirPatterns)
{
    expectGolden(printed({}, {}), "zero_report.txt");
}

// The golden text of a field run was worked out from the records by the
// rules (7 or 15 digits, round to even, format half away from zero), not by
// this program.
TEST(Report, FieldRunPrintsEveryValueInItsPattern)
{
    expectGolden(printed(testing::fieldObservations(), testing::fieldResult()), "field_report.txt");
}

// Single values that the golden reports cannot show: signs, ties, and which
// lines round before formatting.
struct ValueCase {
    const char* name;
    std::function<void(Observations&, AdjustmentResult&)> set;
    int line;
    const char* expected;
};

// names the case in the test list rather than dumping its bytes
void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReportValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ReportValue, PrintsAsExpected)
{
    const ValueCase& c = GetParam();
    Observations o;
    AdjustmentResult r;
    c.set(o, r);
    RecordingPrinter printer;
    printReport(printer, o, r);
    EXPECT_EQ(printer.line(c.line), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportValue,
    ::testing::Values(
        // signs: the minus stands after the leading space
        ValueCase{"NegativeMisclosure", [](auto&, auto& r) { r.w = -1.234f; }, 28,
                  R"x(line 28: col 24, "w=", " -1.23", " (秒)")x"},
        ValueCase{"NegativeControlCoordinate", [](auto& o, auto&) { o.Ya = -12.3456; }, 6,
                  R"x(line 6: col 24, "起始点 A 座标 :  xa=", " 0.000", 3 spaces, "ya=", " -12.346")x"},
        ValueCase{"NegativeKHasNoSpace", [](auto&, auto& r) { r.K = -0.0000051; }, 31,
                  R"x(line 31: col 24, "K=", "-0.00001")x"},
        ValueCase{"NegativeBelowLastDecimalLosesSign", [](auto&, auto& r) { r.K = -0.000004; }, 31,
                  R"x(line 31: col 24, "K=", "0.00000")x"},
        ValueCase{"NegativeCoordinateOfD", [](auto&, auto& r) { r.yp2 = -5321.0004; }, 51,
                  R"x(line 51: col 24, "yp2=", " -5321.000")x"},
        ValueCase{"NegativeWeightReciprocalOfD", [](auto&, auto& r) { r.D.invPy = -0.25f; }, 54,
                  R"x(line 54: col 24, "横座标单位权权倒数 :  1/py=", " -0.25000")x"},
        // the lines that only the paper has round first: a tie whose last
        // kept digit is even stays there (the others are in the test of
        // screen and paper)
        ValueCase{"KTieToEven", [](auto&, auto& r) { r.K = 0.000025; }, 31,
                  R"x(line 31: col 24, "K=", "0.00002")x"},
        ValueCase{"AdjustedS1TieToEven", [](auto& o, auto&) { o.S1 = 615.09685; }, 20,
                  R"x(line 20: col 24, "第 1 条平差边 : S1=", " 615.0968")x"},
        ValueCase{"AdjustedS2TieToEven", [](auto& o, auto&) { o.S2 = 931.32045; }, 21,
                  R"x(line 21: col 24, "第 2 条平差边 : S2=", " 931.3204")x"},
        ValueCase{"AdjustedS4TieToEven", [](auto& o, auto&) { o.S4 = 716.08765; }, 23,
                  R"x(line 23: col 24, "第 4 条平差边 : S4=", " 716.0876")x"},
        ValueCase{"AdjustedS5TieToEven", [](auto& o, auto&) { o.S5 = 818.39825; }, 24,
                  R"x(line 24: col 24, "第 5 条平差边 : S5=", " 818.3982")x"},
        ValueCase{"AdjustedS6TieToEven", [](auto& o, auto&) { o.S6 = 908.02085; }, 25,
                  R"x(line 25: col 24, "第 6 条平差边 : S6=", " 908.0208")x"},
        // the adjusted side is the double field, not a single copy
        ValueCase{"AdjustedSideFromDouble", [](auto& o, auto&) { o.S1 = 1234.5678; }, 20,
                  R"x(line 20: col 24, "第 1 条平差边 : S1=", " 1234.5678")x"}),
    [](const ::testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace korvane
