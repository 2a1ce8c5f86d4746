#include "number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using korvane::ConfirmationReply;
using korvane::readConfirmation;
using korvane::readNumber;

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
        {"１ｅ２", 100.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> value = readNumber(c.text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
        EXPECT_EQ(std::signbit(*value), std::signbit(c.value)) << "-0 keeps its sign";
    }
}

TEST(ReadNumber, RefusesEverythingElse)
{
    for (const char* text : {"", "   ", "abc", "1,5", "1.2.3", "--1", "+-1", "1e", "e5", ".", "-",
                             "nan", "NaN", "inf", "-infinity", "0x10", "1 2", "12m", "1e999",
                             "-1e400", "1e-400", "三", "1。5", "\xff", "1\xe3\x80"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(readNumber(text).has_value());
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readConfirmation(c.text), c.reply);
    }
}

} // namespace
