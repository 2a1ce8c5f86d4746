#include "scratch_file.h"

#include "comma_locale.h"
#include "file_lines.h"
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

std::string repeated(std::string_view text, std::size_t times)
{
    std::string all;
    for (std::size_t i = 0; i < times; ++i)
        all += text;
    return all;
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
        PointNames points = letterNames;
        std::optional<double> meanHeight = std::nullopt;
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
        {"tabs around the cells of a comma-separated file",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名\n\t一号锁\t,\t3521.418\t,1204.337,4497.112,2188.650,902.1006,870.9382,"
         "889.6279,951.5497,1158.3709\t,\tGP01\t\n",
         "一号锁", 2, TextEncoding::Utf8, ',', {"GP01", "B", "C", "D"}},
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
        {"the points' names and the mean height in another order, among the file's own columns",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程,D点名,备注,B点名,A点名,C点名\n一号锁" + values +
             ",612.5,K4,复测,GP02,GP01,K3\n",
         "一号锁", 2, TextEncoding::Utf8, ',', {"GP01", "GP02", "K3", "K4"}, 612.5},
        {"empty and blank name cells keep the letters, an empty height is none",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名,平均高程\n一号锁" + values + ",,  GP02 ,  ,\n",
         "一号锁", 2, TextEncoding::Utf8, ',', {"A", "GP02", "C", "D"}},
        {"the names' columns in lower case, a line without the last of them",
         "名称;Xa;Ya;Xc;Yc;S1;S2;S4;S5;S6;c点名;a点名\n一号锁;3521.418;1204.337;4497.112;2188.650;902.1006;870.9382;"
         "889.6279;951.5497;1158.3709;K 3\n",
         "一号锁", 2, TextEncoding::Utf8, ';', {"A", "B", "K 3", "D"}},
        {"names and the height's column in GBK, the height in full-width digits",
         gbkHeaderName + ",Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,B\xB5\xE3\xC3\xFB,\xC6\xBD\xBE\xF9\xB8\xDF\xB3\xCC\r\n" +
             gbkName + values + ",\xBC\xD7\xD2\xBB,\xA3\xAD\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5\r\n",
         "一号锁", 2, TextEncoding::Gb18030, ',', {"A", "甲一", "C", "D"}, -12.5},
        {"names of 32 characters, a space, a no-break space and a byte-order mark in them",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\n一号锁" + values + "," + repeated("测", 32) +
             ",\xC2\xA0K,\xEF\xBB\xBFK3,K 4\n",
         "一号锁", 2, TextEncoding::Utf8, ',', {repeated("测", 32), "\xC2\xA0K", "\xEF\xBB\xBFK3", "K 4"}},
        {"names guarded against formulas lose one ' before a formula's first character",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\n'=SUM(B2:B9)" + values + ",'-K1,''@K2,'K3,'\n",
         "=SUM(B2:B9)", 2, TextEncoding::Utf8, ',', {"-K1", "'@K2", "'K3", "'"}},
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
        EXPECT_EQ(back.figures[0].points, c.points);
        EXPECT_EQ(back.figures[0].meanHeight, c.meanHeight);
    }
}

TEST(ObservationReader, EachFaultNamesItsLineAndColumn)
{
    using Kind = FileFault::Kind;
    const std::string good = "A,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n";
    // a figure whose names and height are `cells`
    const auto named = [](const std::string& cells) {
        return "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名,平均高程\n"
               "P1,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709," + cells + "\n";
    };
    const struct {
        const char* name;
        std::string bytes;
        Kind kind;
        long line;
        int column;
        std::string text;
        std::string heading = {};
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
        {"a name with a comma, quoted", named("GP01,\"K,1\",,,"), Kind::NotAPointName, 2, 12, "K,1", "B点名"},
        {"a name with a semicolon", named("GP01,,K;1,,"), Kind::NotAPointName, 2, 13, "K;1", "C点名"},
        {"a name with a tab, quoted", named(",,,\"K\t1\","), Kind::NotAPointName, 2, 14, "K\t1", "D点名"},
        {"a name with a double quote", named("\"K\"\"1\",,,,"), Kind::NotAPointName, 2, 11, "K\"1", "A点名"},
        {"an escape sequence as a name", named("\x1B[2J,,,,"), Kind::NotAPointName, 2, 11, "\x1B[2J", "A点名"},
        {"a name with DEL", named(",K\x7F,,,"), Kind::NotAPointName, 2, 12, "K\x7F", "B点名"},
        {"a name with a C1 control", named(",,K\xC2\x85,,"), Kind::NotAPointName, 2, 13, "K\xC2\x85", "C点名"},
        {"a name of 33 characters", named(",,," + repeated("测", 33) + ","), Kind::NotAPointName, 2, 14,
         repeated("测", 33), "D点名"},
        {"a guarded name of 33 characters", named(",'=" + repeated("测", 32) + ",,,"), Kind::NotAPointName, 2, 12,
         "'=" + repeated("测", 32), "B点名"},
        {"a mean height that is not a number", named("GP01,,,,abc"), Kind::NotANumber, 2, 15, "abc", "平均高程"},
        {"a mean height beyond a double", named(",,,,1e999"), Kind::NotANumber, 2, 15, "1e999", "平均高程"},
        {"a line longer than 64 KiB", std::string(header) + good + "B," + std::string(longestLine, '1') + "\n" + good,
         Kind::LongLine, 3, 0, ""},
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
        EXPECT_EQ(fault->heading, c.heading);
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
        {"a header longer than 64 KiB", "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6," + std::string(longestLine, 'x') + "\n" + figureLine,
         Kind::LongHeader, 1, 0, ""},
        {"a comment longer than 64 KiB before the header", "# 测区\n#" + std::string(longestLine, ' ') + "\n" + header,
         Kind::LongHeader, 2, 0, ""},
        {"a name's column twice, in another letter case", "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,B点名,A点名,b点名\n",
         Kind::RepeatedColumn, 1, 13, "b点名"},
        {"the height's column twice", "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程,备注,平均高程\n", Kind::RepeatedColumn, 1, 13,
         "平均高程"},
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

// A line of a figure is about a hundred bytes: one beyond 64 KiB is a fault
// of its own line, and the figures after it are read as if it were not there.
TEST(ObservationReader, LinesBeyond64KiBAreFaultsOfTheirOwn)
{
    const std::string withRemark = "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,备注\n";
    // a figure line of `length` bytes, its remark making up the length
    const auto figureOf = [](std::size_t length) {
        std::string line = "P,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709,";
        line.resize(length, 'x');
        return line;
    };
    const struct {
        const char* name;
        std::string bytes;
        const char* read; // F: a figure, L: a long line, with its line number
    } cases[] = {
        {"exactly 64 KiB", withRemark + figureOf(longestLine) + "\n" + figureLine, "F2 F3"},
        {"exactly 64 KiB before CRLF", withRemark + figureOf(longestLine) + "\r\n" + figureLine, "F2 F3"},
        // the first read ends after the line's first 65 537 bytes, its '\r' among them
        {"exactly 64 KiB before CRLF, across the end of the first read",
         withRemark + figureOf(longestLine - withRemark.size() - 2) + "\n" + figureOf(longestLine) + "\r\n" + figureLine,
         "F2 F3 F4"},
        {"one byte more", withRemark + figureOf(longestLine + 1) + "\n" + figureLine, "L2 F3"},
        {"one byte more before CRLF", withRemark + figureOf(longestLine + 1) + "\r\n" + figureLine, "L2 F3"},
        {"a mebibyte between two figures", withRemark + figureLine + figureOf(1 << 20) + "\n" + figureLine, "F2 L3 F4"},
        {"two in a row, then a comment", withRemark + figureOf(200000) + "\n" + figureOf(longestLine + 2) + "\n# 复测\n" +
                                             figureLine, "L2 L3 F5"},
        {"the last line, without a line end", withRemark + figureLine + figureOf(longestLine + 1), "F2 L3"},
        {"exactly 64 KiB as the last line, without a line end", withRemark + figureOf(longestLine), "F2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file(c.bytes);
        ObservationReader reader(file.path());
        std::string read;
        double progress = 0;
        while (std::optional<FigureLine> line = reader.next()) {
            const auto* fault = std::get_if<FileFault>(&*line);
            if (fault) {
                EXPECT_EQ(fault->kind, FileFault::Kind::LongLine);
            }
            read += (read.empty() ? "" : " ") + std::string(fault ? "L" : "F") +
                    std::to_string(fault ? fault->line : std::get<Figure>(*line).line);
            EXPECT_GE(reader.progress(), progress);
            progress = reader.progress();
        }
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(reader.progress(), 1.0);
    }
}

// The memory of a read is its buffer, whatever the length of a line.
TEST(FileLines, ALineOfAMebibyteLeavesTheBufferAsItWas)
{
    ScratchFile file(std::string(header) + std::string(1 << 20, 'x') + "\r\n" + figureLine);
    FileLines lines(file.path());
    const std::size_t capacity = lines.bufferCapacity();
    EXPECT_LE(capacity, 2 * longestLine);
    std::string_view line;
    EXPECT_EQ(lines.next(line), FileLines::Next::Line);
    EXPECT_EQ(lines.next(line), FileLines::Next::LongLine);
    EXPECT_EQ(line, "");
    EXPECT_EQ(lines.next(line), FileLines::Next::Line);
    EXPECT_EQ(std::string(line) + "\n", figureLine);
    EXPECT_EQ(lines.next(line), FileLines::Next::End);
    EXPECT_EQ(lines.bufferCapacity(), capacity);
    EXPECT_EQ(lines.bytesRead(), lines.size());
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
