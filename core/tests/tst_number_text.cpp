#include "comma_locale.h"
#include "number_reading.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <limits>

using korvane::fixedText;
using korvane::noRounding;
using korvane::readNumber;

namespace {

struct DoubleCase {
    const char* name;
    double value;
    int roundTo;
    int decimals;
    const char* expected;
};

class DoubleText : public testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleText, RoundsThenFormats)
{
    const DoubleCase& c = GetParam();
    EXPECT_EQ(fixedText(c.value, c.roundTo, c.decimals), c.expected);
}

const DoubleCase doubleCases[] = {
        DoubleCase{"ZeroPadsToPattern", 0.0, noRounding, 3, "0.000"},
        DoubleCase{"NegativeZeroHasNoSign", -0.0, 2, 2, "0.00"},
        DoubleCase{"TinyNegativeRoundsToUnsignedZero", -0.001, 2, 2, "0.00"},
        DoubleCase{"TinyNegativeFormatsToUnsignedZero", -0.004, noRounding, 2, "0.00"},
        DoubleCase{"WholeNumberGetsDecimals", 2500.0, 3, 3, "2500.000"},
        DoubleCase{"LeadingZeroBelowOne", 0.5, 4, 4, "0.5000"},
        DoubleCase{"NegativeKeepsSign", -1.234, 2, 2, "-1.23"},
        DoubleCase{"RoundingTieGoesToEven", 0.125, 2, 2, "0.12"},
        DoubleCase{"RoundingTieOddGoesUp", 0.135, 2, 2, "0.14"},
        DoubleCase{"FormattingTieGoesAwayFromZero", 0.125, noRounding, 2, "0.13"},
        DoubleCase{"NegativeFormattingTieAwayFromZero", -0.125, noRounding, 2, "-0.13"},
        DoubleCase{"NegativeRoundingTieToEven", -0.125, 2, 2, "-0.12"},
        DoubleCase{"KnownSideTieToEven", 0.03125, 4, 4, "0.0312"},
        DoubleCase{"KnownSideTieFormatOnly", 0.03125, noRounding, 4, "0.0313"},
        // 2.0005 is stored as 2.000499999...; at 15 digits it is the half typed
        DoubleCase{"TypedHalfIsAHalf", 2.0005, noRounding, 3, "2.001"},
        DoubleCase{"TypedHalfRoundsToEven", 2.0005, 3, 3, "2.000"},
        DoubleCase{"CarryThroughNines", 9.9996, noRounding, 3, "10.000"},
        DoubleCase{"CarryIntoNewDigit", 0.0996, 2, 2, "0.10"},
        DoubleCase{"HalfUnitBelowLastDecimalAway", 0.005, noRounding, 2, "0.01"},
        DoubleCase{"HalfUnitBelowLastDecimalEven", 0.005, 2, 2, "0.00"},
        DoubleCase{"FarBelowLastDecimal", 1e-12, 2, 2, "0.00"},
        DoubleCase{"EchoOfEntry", 512.34567, noRounding, 3, "512.346"},
        DoubleCase{"LargeCoordinate", 3456789.12345, 3, 3, "3456789.123"},
        DoubleCase{"HugeValueWritesAllDigits", 1.5e20, 2, 2, "150000000000000000000.00"},
        DoubleCase{"RoundingFewerDecimalsThanPattern", 1.23456, 2, 5, "1.23000"},
};

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleText, testing::ValuesIn(doubleCases),
    [](const testing::TestParamInfo<DoubleCase>& info) { return std::string(info.param.name); });

struct SingleCase {
    const char* name;
    float value;
    int roundTo;
    int decimals;
    const char* expected;
};

// A float is written from its seven significant digits; each row would come
// out otherwise if the float were widened and written from fifteen.
const SingleCase singleCases[] = {
    // 1234.5678 is held as the float 1234.5677490234375, written 1234.568
    {"SideAtSevenDigits", 1234.5678f, noRounding, 4, "1234.5680"},
    {"RoundingTieToEven", 0.125f, 2, 2, "0.12"},
    {"NegativeKeepsSign", -1.234f, 2, 2, "-1.23"},
    // the float nearest 0.145 is 0.14499999582...: at 7 digits a half
    {"FormattingTieAwayFromZero", 0.145f, noRounding, 2, "0.15"},
    {"RoundingTieToEvenDown", 0.145f, 2, 2, "0.14"},
    // 12.345f is 12.3450002670288... at 15 digits, which would round up
    {"TieAboveTheFloatRoundsToEven", 12.345f, 2, 2, "12.34"},
    // 1.015f is 1.01499998569489... at 15 digits, which would round down
    {"TieBelowTheFloatRoundsToEven", 1.015f, 2, 2, "1.02"},
    {"NegativeTieToEven", -5.005f, 2, 2, "-5.00"},
    {"LargestFloat", std::numeric_limits<float>::max(), 2, 2, "340282300000000000000000000000000000000.00"},
};

TEST(SingleText, IsTakenAtSevenSignificantDigits)
{
    for (const SingleCase& c : singleCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fixedText(c.value, c.roundTo, c.decimals), c.expected);
    }
    // the same decimal as a double keeps its own digits
    EXPECT_EQ(fixedText(1234.5678, noRounding, 4), "1234.5678");
}

// The precision is chosen by the exact type alone: neither rule takes a value
// that would first have to be converted.
template <typename T>
concept Formattable = requires(T value) { fixedText(value, 2, 2); };
static_assert(Formattable<double> && Formattable<float>);
static_assert(!Formattable<int> && !Formattable<long double> && !Formattable<long>);

// The number texts of both tables, and reading, on a desktop whose locale
// writes a decimal comma (the window takes on the user's locale at start-up).
TEST(NumberTexts, AreTheSameUnderACommaDecimalLocale)
{
    korvane::testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    for (const DoubleCase& c : doubleCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fixedText(c.value, c.roundTo, c.decimals), c.expected);
    }
    for (const SingleCase& c : singleCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fixedText(c.value, c.roundTo, c.decimals), c.expected);
    }
    EXPECT_EQ(readNumber("3533098.016"), 3533098.016);
    EXPECT_EQ(readNumber("1,5"), std::nullopt) << "a decimal comma is not a number in the entry";
}

} // namespace

namespace {

// The quick way to a text (the value scaled to an integer, used when it lies
// clearly away from a tie) against the decimal's own rounding, on values of
// every size and on values a few units of the last binary digit from a tie
// at the last decimal shown, for both precisions and both rules.
TEST(FixedText, QuickWayGivesTheDecimalsDigits)
{
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 13);
    std::uniform_int_distribution<int> decimalsOf(0, 5);
    std::uniform_int_distribution<long long> tieUnits(0, 99999999);
    std::uniform_int_distribution<int> ulps(-4, 4);
    long quick = 0;
    for (int i = 0; i < 200000; ++i) {
        const int decimals = decimalsOf(random);
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 2 == 1) {
            // (n + 1/2) units of the last decimal, then a few steps of the binary value away
            value = (static_cast<double>(tieUnits(random)) + 0.5) / std::pow(10.0, decimals);
            for (int step = ulps(random); step != 0; step += step > 0 ? -1 : 1)
                value = std::nextafter(value, step > 0 ? 1e300 : -1e300);
        }
        if (i % 3 == 0)
            value = -value;
        const float single = static_cast<float>(value);
        for (const int roundTo : {decimals, noRounding}) {
            const std::optional<std::string> fast = korvane::fixedTextClearOfATie(value, 15, roundTo, decimals);
            if (fast) {
                ++quick;
                ASSERT_EQ(*fast, fixedText(korvane::Decimal::of(value), roundTo, decimals))
                    << std::hexfloat << value << " to " << decimals;
            }
            ASSERT_EQ(fixedText(single, roundTo, decimals), fixedText(korvane::Decimal::of(single), roundTo, decimals))
                << std::hexfloat << single << " to " << decimals;
        }
    }
    // taken for most values clear of a tie, or it would not be worth having
    EXPECT_GT(quick, 100000);
}

} // namespace
