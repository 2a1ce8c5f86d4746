#include "exact_text.h"
#include "number_reading.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

using korvane::ConfirmationReply;
using korvane::NumberRefusal;
using korvane::exactText;
using korvane::readConfirmation;
using korvane::readNumber;
using korvane::typedText;
using korvane::whyNotANumber;

namespace {

TEST(ReadNumber, AcceptsPlainDecimalNotation)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"512.34567", 512.34567}, {"-12", -12.0},       {"+3.5", 3.5},      {".5", 0.5},
        {"5.", 5.0},              {"  42  ", 42.0},     {"\t7\n", 7.0},     {"1e3", 1000.0},
        {"2.5E-2", 0.025},        {"-0", -0.0},         {"007", 7.0},       {"1e308", 1e308},
        {"３４５．６", 345.6},    {"－１２", -12.0},    {"＋１", 1.0},      {"　８　", 8.0},
        // the ideographic full stop, as the point key types it in Chinese
        // punctuation mode, alone or among full-width characters
        {"902。1006", 902.1006},  {"－１２。５", -12.5}, {"。５", 0.5},     {"5。", 5.0},
        {"１ｅ２", 100.0},
        {"０", 0.0},              {"１", 1.0},          {"２", 2.0},        {"３", 3.0},
        {"４", 4.0},              {"５", 5.0},          {"６", 6.0},        {"７", 7.0},
        {"８", 8.0},              {"９", 9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> value = readNumber(c.text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
        EXPECT_EQ(std::signbit(*value), std::signbit(c.value)) << "-0 keeps its sign";
    }
}

// Every text refused, and why, as the entry says it under the prompt asked
// again.
TEST(ReadNumber, RefusesEverythingElse)
{
    using enum NumberRefusal;
    const struct {
        const char* text;
        NumberRefusal why;
    } cases[] = {
        {"", NotANumber},          {"   ", NotANumber},       {"abc", NotANumber},   {"1.2.3", NotANumber},
        {"--1", NotANumber},       {"+-1", NotANumber},       {"1e", NotANumber},    {"e5", NotANumber},
        {".", NotANumber},         {"-", NotANumber},         {"nan", NotANumber},   {"NaN", NotANumber},
        {"inf", NotANumber},       {"-infinity", NotANumber}, {"0x10", NotANumber},  {"1 2", NotANumber},
        {"三", NotANumber},        {"\xff", NotANumber},      {"1\xe3\x80", NotANumber},
        // a point too many
        {"1。2。3", NotANumber},   {"1.5。", NotANumber},     {"。", NotANumber},
        // a unit of length after the value, with or without a blank
        {"12m", WithUnit},         {"3521.418m", WithUnit},   {"3521.418 M", WithUnit}, {"12mm", WithUnit},
        {"1.2 km", WithUnit},      {"902.1006米", WithUnit},  {"１２毫米", WithUnit}, {"-3 公里　", WithUnit},
        {"m", NotANumber},         {"12 秒", NotANumber},     {"米12", NotANumber},
        // a comma of any width where only a point can be
        {"1,5", DecimalComma},     {"3521,418", DecimalComma}, {"1，5", DecimalComma}, {"１、５", DecimalComma},
        {"-0,25", DecimalComma},   {"12,3456", DecimalComma},
        // commas that may part thousands: 1234 or 1.234 is not guessed
        {"1,234", ThousandsComma}, {"-3,521.418", ThousandsComma}, {"1,234,567", ThousandsComma},
        {"1，234", ThousandsComma},
        {"1,2,3", NotANumber},     {"1,5.2", NotANumber},     {",", NotANumber},     {"1,5m", NotANumber},
        // plain decimal notation beyond a double
        {"1e999", OutOfRange},     {"-1e400", OutOfRange},    {"1e-400", OutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(readNumber(c.text).has_value());
        EXPECT_EQ(whyNotANumber(c.text), c.why);
    }
}

// A value kept between runs and offered again must read back bit for bit,
// or Enter on the offered text would compute something else than was typed.
TEST(ExactText, ReadsBackAsTheVerySameDouble)
{
    const struct {
        const char* name;
        double value;
        const char* exact;
        const char* typed;
    } cases[] = {
        {"typed side", 594.0588, "594.0588", "594.0588"},
        {"grid northing", 3456789.123, "3456789.123", "3456789.123"},
        {"round million", 3000000.0, "3e+06", "3000000"},
        {"sum with binary tail", 0.1 + 0.2, "0.30000000000000004", "0.30000000000000004"},
        {"negative easting", -1200.5, "-1200.5", "-1200.5"},
        {"negative zero", -0.0, "-0", "-0"},
        {"small", 1e-5, "1e-05", "0.00001"},
        {"too long for the field", 1e300, "1e+300", "1e+300"},
        {"largest double", std::numeric_limits<double>::max(), "1.7976931348623157e+308",
         "1.7976931348623157e+308"},
        {"smallest normal", std::numeric_limits<double>::min(), "2.2250738585072014e-308",
         "2.2250738585072014e-308"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(exactText(c.value), c.exact);
        EXPECT_EQ(typedText(c.value), c.typed);
        for (const std::string& text : {exactText(c.value), typedText(c.value)}) {
            const std::optional<double> back = readNumber(text);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(c.value)) << text;
        }
    }
}

TEST(ReadConfirmation, EmptyAcceptsZeroReentersOtherwiseUnclear)
{
    const struct {
        const char* text;
        ConfirmationReply reply;
    } cases[] = {
        {"", ConfirmationReply::Accept},       {"  ", ConfirmationReply::Accept},
        {"　", ConfirmationReply::Accept},     {"1", ConfirmationReply::Accept},
        {"-2.5", ConfirmationReply::Accept},   {"0", ConfirmationReply::Reenter},
        {"00", ConfirmationReply::Reenter},    {"0.0", ConfirmationReply::Reenter},
        {"-0", ConfirmationReply::Reenter},    {" ０ ", ConfirmationReply::Reenter},
        {"0e5", ConfirmationReply::Reenter},   {"y", ConfirmationReply::Unclear},
        {"0k", ConfirmationReply::Unclear},    {"是", ConfirmationReply::Unclear},
        {"０。０", ConfirmationReply::Reenter}, {"。", ConfirmationReply::Unclear},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readConfirmation(c.text), c.reply);
    }
}

} // namespace
