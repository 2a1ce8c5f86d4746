#include "file_words.h"
#include "observation_words.h"
#include "report_words.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>

namespace korvane {
namespace {

// Each errno that saving the report can meet says in its own sentence why
// the file was not saved and what to do.
TEST(FaultMessage, EachSystemErrorOfTheSavedReportHasItsOwnSentence)
{
    const std::string notWritable =
        "不能在这个文件夹中写入文件（没有写入权限，或磁盘是只读的）。请选择另一个文件夹后再保存。";
    const std::string missing = "这个文件夹不存在。请选择另一个文件夹后再保存。";
    const std::string full = "磁盘已满。请清理磁盘或选择另一个磁盘后再保存。";
    const std::string notAName =
        "这个名字不能用作文件名（太长、含有磁盘不允许的字符，或是一个文件夹的名字）。请换一个文件名后再保存。";
    const struct {
        const char* name;
        int error;
        std::string says;
    } cases[] = {
        {"EACCES", EACCES, notWritable},   {"EPERM", EPERM, notWritable},       {"EROFS", EROFS, notWritable},
        {"ENOENT", ENOENT, missing},       {"ENOTDIR", ENOTDIR, missing},       {"ENOSPC", ENOSPC, full},
        {"EDQUOT", EDQUOT, full},          {"ENAMETOOLONG", ENAMETOOLONG, notAName}, {"EINVAL", EINVAL, notAName},
        {"EISDIR", EISDIR, notAName},      {"EILSEQ", EILSEQ, notAName},
        {"EIO", EIO, "写入磁盘时出错（系统错误代码 " + std::to_string(EIO) + "）。请检查磁盘后再保存。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileError error(fileErrorReason(c.error), "/home/测量/报告.pdf", c.error);
        EXPECT_EQ(pdfFailureMessage(error), "报告没有保存为 PDF 文件“/home/测量/报告.pdf”：" + c.says);
    }
    // a file's name, like its text, is someone else's: no escape sequence reaches a terminal
    const FileError escaped(FileError::Reason::WriteFailed, "/media/u/\x1b[2J报告.pdf", EIO);
    EXPECT_TRUE(pdfFailureMessage(escaped).starts_with("报告没有保存为 PDF 文件“/media/u/\\x1b[2J报告.pdf”："))
        << pdfFailureMessage(escaped);
}

files::FileFault fault(files::FileFault::Kind kind, long line, int column, std::string text = "", int systemError = 0,
                       std::string heading = "")
{
    files::FileFault fault{};
    fault.kind = kind;
    fault.line = line;
    fault.column = column;
    fault.text = std::move(text);
    fault.systemError = systemError;
    fault.heading = std::move(heading);
    return fault;
}

// Each fault of an observation file in the surveyor's words: the line and
// column where it is, a value column by its name (one after S6 by the
// header's), what is there and what was expected.
TEST(ObservationWords, EachFaultOfAFileInItsOwnWords)
{
    using Kind = files::FileFault::Kind;
    const std::string header = "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6";
    const struct {
        const char* name;
        files::FileFault fault;
        std::string text;
    } cases[] = {
        {"not there", fault(Kind::CannotRead, 0, 0, "", ENOENT), "不能读取：文件不存在"},
        {"a path through a file", fault(Kind::CannotRead, 0, 0, "", ENOTDIR), "不能读取：文件不存在"},
        {"no permission", fault(Kind::CannotRead, 0, 0, "", EACCES), "不能读取：没有读取这个文件的权限"},
        {"another fault of the disk", fault(Kind::CannotRead, 0, 0, "", EIO),
         "不能读取：读取时出错（系统错误代码 " + std::to_string(EIO) + "）"},
        {"a folder", fault(Kind::NotAFile, 0, 0), "不是一个文件（是文件夹或设备），不能读取"},
        {"UTF-16", fault(Kind::Utf16, 0, 0),
         "是 UTF-16 编码（Unicode 文本），不能读取；请在电子表格中另存为“CSV（逗号分隔）”或“CSV UTF-8”"},
        {"neither UTF-8 nor GB18030", fault(Kind::NotDecodable, 3, 7),
         "第 3 行第 7 列的文字既不是 UTF-8 也不是 GB18030（GBK）编码"},
        {"no header", fault(Kind::NoHeader, 0, 0), "中没有表头，第一行应为：" + header},
        {"a header cell missing", fault(Kind::WrongHeader, 1, 10),
         "第 1 行第 10 列没有表头“S6”，表头应为：" + header},
        {"a header cell misnamed", fault(Kind::WrongHeader, 2, 6, "S3"),
         "第 2 行第 6 列的表头应为“S1”，文件中是“S3”；表头应为：" + header},
        {"an unclosed quote", fault(Kind::UnclosedQuote, 5, 1), "第 5 行第 1 列的引号没有结束"},
        {"a value missing", fault(Kind::MissingValue, 12, 4), "第 12 行第 4 列（Xc）没有数值"},
        {"a value beyond the header", fault(Kind::ExtraValue, 8, 11), "第 8 行第 11 列多出一个数值，表头中没有这一列"},
        {"not a number", fault(Kind::NotANumber, 2, 7, "8７0.9382x"), "第 2 行第 7 列（S2）的“8７0.9382x”不是数字"},
        {"the name column", fault(Kind::MissingValue, 9, 1), "第 9 行第 1 列（名称）没有数值"},
        {"a height by its header's name", fault(Kind::NotANumber, 2, 11, "6l2.5", 0, "平均高程"),
         "第 2 行第 11 列（平均高程）的“6l2.5”不是数字"},
        {"a point's name it cannot be", fault(Kind::NotAPointName, 2, 12, "K;1", 0, "B点名"),
         "第 2 行第 12 列（B点名）的“K;1”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符"},
        {"a line too long", fault(Kind::LongLine, 7, 0), "第 7 行超过 64 KiB，不是观测数据"},
        {"a header too long", fault(Kind::LongHeader, 1, 0), "第 1 行超过 64 KiB，不是观测文件的表头"},
        {"a column named twice", fault(Kind::RepeatedColumn, 1, 13, "B点名"), "第 1 行第 13 列的表头“B点名”与前面的一列重复"},
        // someone else's cell, quoted: its first 32 characters, its controls escaped
        {"a cell of 60 000 characters", fault(Kind::NotANumber, 2, 6, std::string(60000, '9') + "x"),
         "第 2 行第 6 列（S1）的“" + std::string(32, '9') + "…”不是数字"},
        {"a name of 33 characters", fault(Kind::NotAPointName, 2, 11, std::string(33, 'K'), 0, "A点名"),
         "第 2 行第 11 列（A点名）的“" + std::string(32, 'K') + "…”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符"},
        {"an escape sequence that would clear the terminal", fault(Kind::NotAPointName, 2, 11, "\x1b[2J\x1b[31mK", 0, "A点名"),
         "第 2 行第 11 列（A点名）的“\\x1b[2J\\x1b[31mK”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符"},
        {"a header misnamed with a line end, NUL, DEL and the C1 control CSI in it; a tab and a no-break space kept",
         fault(Kind::WrongHeader, 1, 2, std::string("X\ra\0\x7f\xC2\x9B\t\xC2\xA0", 10)),
         "第 1 行第 2 列的表头应为“Xa”，文件中是“X\\x0da\\x00\\x7f\\x9b\t\xC2\xA0”；表头应为：" + header},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(observationFaultText(c.fault), c.text);
    }
    const files::FileFault notANumber = fault(Kind::NotANumber, 2, 7, "abc");
    EXPECT_EQ(observationFaultMessage("/data/测区.csv", notANumber),
              "观测文件“/data/测区.csv”第 2 行第 7 列（S2）的“abc”不是数字。请改正观测文件后再打开。");
    EXPECT_EQ(observationFaultLine("测区.csv", notANumber), "观测文件“测区.csv”第 2 行第 7 列（S2）的“abc”不是数字。");
    EXPECT_EQ(noFiguresMessage("/data/测区.csv"), "观测文件“/data/测区.csv”中只有表头，没有图形。");
    EXPECT_EQ(noFiguresMessage("/media/u/\x1b]0;x\a测区.csv"), "观测文件“/media/u/\\x1b]0;x\\x07测区.csv”中只有表头，没有图形。");
}

} // namespace
} // namespace korvane
