#include "file_words.h"
#include "report_words.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

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
}

} // namespace
} // namespace korvane
