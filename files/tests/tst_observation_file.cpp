#include "scratch_file.h"

#include "comma_locale.h"
#include "observation_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace korvane::files {
namespace {

using testing::ScratchFile;

const char* const header = "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n";
const char* const figureLine =
    "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n";
const Observations figureValues{3521.418, 1204.337, 4497.112, 2188.650, 902.1006,
                                870.9382, 889.6279, 951.5497, 1158.3709};

// the names 一号锁 and 名称 in GBK, as a Chinese spreadsheet saves them
const std::string gbkName = "\xD2\xBB\xBA\xC5\xCB\xF8";
const std::string gbkHeaderName = "\xC3\xFB\xB3\xC6";

struct ReadBack {
    std::vector<Figure> figures;
    TextEncoding encoding;
    char separator;
};

ReadBack readBack(const std::string& bytes)
{
    ScratchFile file(bytes);
    ObservationReader reader(file.path());
    ReadBack back{{}, reader.encoding(), reader.separator()};
    while (std::optional<FigureLine> line = reader.next()) {
        if (const auto* fault = std::get_if<FileFault>(&*line)) {
            ADD_FAILURE() << "fault on line " << fault->line << " column " << fault->column;
            continue;
        }
        back.figures.push_back(std::get<Figure>(*line));
    }
    return back;
}

bool sameValues(const Observations& a, const Observations& b)
{
    const double* x = &a.Xa;
    const double* y = &b.Xa;
    for (int i = 0; i < 9; ++i)
        if (std::bit_cast<std::uint64_t>(x[i]) != std::bit_cast<std::uint64_t>(y[i]))
            return false;
    return true;
}

TEST(ObservationReader, ReadsTheFilesSurveyorsWrite)
{
    const std::string values = ",3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709";
    const struct {
        const char* name;
        std::string bytes;
        std::string figureName;
        long line;
        TextEncoding encoding;
        char separator;
    } cases[] = {
        {"UTF-8", std::string(header) + figureLine, "一号锁", 2, TextEncoding::Utf8, ','},
        {"UTF-8 with a byte-order mark, CRLF",
         "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n一号锁" + values + "\r\n", "一号锁", 2, TextEncoding::Utf8, ','},
        {"GBK from a Chinese spreadsheet", gbkHeaderName + ",Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n" + gbkName + values + "\r\n",
         "一号锁", 2, TextEncoding::Gb18030, ','},
        {"GB18030 four-byte character in the name",
         "name,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n\x81\x30\x81\x30" + values + "\n", "\xC2\x80", 2, TextEncoding::Gb18030, ','},
        {"English header in capitals, last line without a line end",
         "NAME,XA,YA,XC,YC,S1,S2,S4,S5,S6\nP7" + values, "P7", 2, TextEncoding::Utf8, ','},
        {"lower-case header with blanks around the names",
         " name , xa , ya , xc , yc , s1 , s2 , s4 , s5 , s6 \n 一号锁 " + values + "\n", "一号锁", 2,
         TextEncoding::Utf8, ','},
        {"tab-separated", "名称\tXa\tYa\tXc\tYc\tS1\tS2\tS4\tS5\tS6\n一号锁\t3521.418\t1204.337\t4497.112\t2188.650\t"
                          "902.1006\t870.9382\t889.6279\t951.5497\t1158.3709\n",
         "一号锁", 2, TextEncoding::Utf8, '\t'},
        {"semicolon-separated", "名称;Xa;Ya;Xc;Yc;S1;S2;S4;S5;S6\n一号锁;3521.418;1204.337;4497.112;2188.650;"
                                "902.1006;870.9382;889.6279;951.5497;1158.3709\n",
         "一号锁", 2, TextEncoding::Utf8, ';'},
        {"columns of the file's own after S6, and trailing empty cells",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,备注,,\n一号锁" + values + ",复测,,\n", "一号锁", 2, TextEncoding::Utf8, ','},
        {"blank lines, comments and empty rows before and after the header",
         "\n# 测区 3\n  \n" + std::string(header) + ",,,,,,,,,\n   # 旧值\n\n一号锁" + values + "\n\n", "一号锁", 8,
         TextEncoding::Utf8, ','},
        {"a quoted name holding a comma and a quote", std::string(header) + "\"锁 3, \"\"北\"\"\"" + values + "\n",
         "锁 3, \"北\"", 2, TextEncoding::Utf8, ','},
        {"quoted numbers, an empty name",
         std::string(header) + ",\"3521.418\",1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n",
         "", 2, TextEncoding::Utf8, ','},
        {"full-width digits typed by an input method", std::string(header) +
             "一号锁,３５２１．４１８,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,　１１５８．３７０９\n",
         "一号锁", 2, TextEncoding::Utf8, ','},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadBack back = readBack(c.bytes);
        EXPECT_EQ(back.encoding, c.encoding);
        EXPECT_EQ(back.separator, c.separator);
        ASSERT_EQ(back.figures.size(), 1u);
        EXPECT_EQ(back.figures[0].name, c.figureName);
        EXPECT_EQ(back.figures[0].line, c.line);
        EXPECT_TRUE(sameValues(back.figures[0].values, figureValues));
    }
}

TEST(ObservationReader, EachFaultNamesItsLineAndColumn)
{
    using Kind = FileFault::Kind;
    const std::string good = "A,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n";
    const struct {
        const char* name;
        std::string bytes;
        Kind kind;
        long line;
        int column;
        std::string text;
    } cases[] = {
        {"a value that is not a number", std::string(header) + good + "B,3521.418,abc,4497.112,2188.650,902.1006,"
                                                                      "870.9382,889.6279,951.5497,1158.3709\n",
         Kind::NotANumber, 3, 3, "abc"},
        {"a decimal comma under semicolons", "名称;Xa;Ya;Xc;Yc;S1;S2;S4;S5;S6\nB;3521,418;1204;4497;2188;902;870;889;951;1158\n",
         Kind::NotANumber, 2, 2, "3521,418"},
        {"NaN is no number", std::string(header) + "B,1,2,3,4,5,6,7,8,nan\n", Kind::NotANumber, 2, 10, "nan"},
        {"an empty value cell", std::string(header) + "B,1,2,3,4,,6,7,8,9\n", Kind::MissingValue, 2, 6, ""},
        {"a blank value cell", std::string(header) + "B,1,2,3,4,5,6,7,8,  \n", Kind::MissingValue, 2, 10, ""},
        {"a short line", std::string(header) + good + good + "C,1,2,3,4,5,6,7\n", Kind::MissingValue, 4, 9, ""},
        {"a value beyond the header", std::string(header) + "B,1,2,3,4,5,6,7,8,9,10\n", Kind::ExtraValue, 2, 11, ""},
        {"a value beyond the file's own columns", "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,备注\nB,1,2,3,4,5,6,7,8,9,复测,x\n",
         Kind::ExtraValue, 2, 12, ""},
        {"an unclosed quote", std::string(header) + "\"B,1,2,3,4,5,6,7,8,9\n", Kind::UnclosedQuote, 2, 1, ""},
        {"a GBK line with a broken character", gbkHeaderName + ",Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n" + gbkName + ",1,2,3,4,5,6,7,8,9\n" +
                                                   "\x81\x20,1,2,3,4,5,6,7,8,9\n",
         Kind::NotDecodable, 3, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file(c.bytes);
        ObservationReader reader(file.path());
        std::optional<FileFault> fault;
        while (std::optional<FigureLine> line = reader.next())
            if (const auto* f = std::get_if<FileFault>(&*line); f && !fault)
                fault = *f;
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->kind, c.kind);
        EXPECT_EQ(fault->line, c.line);
        EXPECT_EQ(fault->column, c.column);
        EXPECT_EQ(fault->text, c.text);
        // the window takes no figure from a file with a fault
        EXPECT_THROW(readAllFigures(file.path()), ObservationFileError);
    }
}

TEST(ObservationReader, FaultsOfTheWholeFileStopItBeforeAnyFigure)
{
    using Kind = FileFault::Kind;
    const struct {
        const char* name;
        std::string bytes;
        Kind kind;
        long line;
        int column;
        std::string text;
    } cases[] = {
        {"an empty file", "", Kind::NoHeader, 0, 0, ""},
        {"only comments", "# 测区\n\n", Kind::NoHeader, 0, 0, ""},
        {"no header, figures at once", figureLine, Kind::WrongHeader, 1, 1, "一号锁"},
        {"a header without S3's neighbours in order", "名称,Xa,Ya,Xc,Yc,S1,S2,S3,S4,S5\n", Kind::WrongHeader, 1, 8, "S3"},
        {"a header cut short", "名称,Xa,Ya,Xc,Yc,S1\n", Kind::WrongHeader, 1, 7, ""},
        {"a header that mixes separators", "名称;Xa;Ya;Xc;Yc;S1;S2;S4;S5,S6\n", Kind::WrongHeader, 1, 1,
         "名称;Xa;Ya;Xc;Yc;S1;S2;S4;S5"},
        {"UTF-16 from a spreadsheet's Unicode text", std::string("\xFF\xFE\x0D\x54", 4), Kind::Utf16, 1, 0, ""},
        {"a header that is neither UTF-8 nor GB18030", "\xFF\xFF,Xa\n", Kind::NotDecodable, 1, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file(c.bytes);
        try {
            ObservationReader reader(file.path());
            ADD_FAILURE() << "read without a fault";
        } catch (const ObservationFileError& error) {
            EXPECT_EQ(error.fault().kind, c.kind);
            EXPECT_EQ(error.fault().line, c.line);
            EXPECT_EQ(error.fault().column, c.column);
            EXPECT_EQ(error.fault().text, c.text);
        }
    }
}

TEST(ObservationReader, FilesThatCannotBeReadSayWhy)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    const struct {
        const char* name;
        std::string path;
        FileFault::Kind kind;
        int systemError;
    } cases[] = {
        {"no such file", folder + "/korvane-no-such-file.csv", FileFault::Kind::CannotRead, ENOENT},
        {"a folder", folder, FileFault::Kind::NotAFile, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ObservationReader reader(c.path);
            ADD_FAILURE() << "read without a fault";
        } catch (const ObservationFileError& error) {
            EXPECT_EQ(error.fault().kind, c.kind);
            EXPECT_EQ(error.fault().systemError, c.systemError);
        }
    }
}

// Reading goes through the entry's number reader, never through the locale.
TEST(ObservationReader, CommaDecimalDesktopReadsTheSameValues)
{
    testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    const ReadBack back = readBack(std::string(header) + figureLine);
    ASSERT_EQ(back.figures.size(), 1u);
    EXPECT_TRUE(sameValues(back.figures[0].values, figureValues));
}

TEST(ObservationReader, ManyFiguresInOrderWithTheirLines)
{
    std::string bytes = header;
    for (int i = 0; i < 10000; ++i)
        bytes += "P" + std::to_string(i) + ",3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497," +
                 std::to_string(1000 + i) + "\n";
    ScratchFile file(bytes);
    const std::vector<Figure> figures = readAllFigures(file.path());
    ASSERT_EQ(figures.size(), 10000u);
    EXPECT_EQ(figures[9999].name, "P9999");
    EXPECT_EQ(figures[9999].line, 10001);
    EXPECT_EQ(figures[9999].values.S6, 10999.0);
}

} // namespace
} // namespace korvane::files
