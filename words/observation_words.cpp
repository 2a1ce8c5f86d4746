#include "observation_words.h"

#include "integer_text.h"
#include "shown_text.h"

#include <cerrno>

namespace korvane {

namespace {

using Kind = files::FileFault::Kind;

std::string place(const files::FileFault& fault)
{
    return "第 " + integerText(fault.line) + " 行第 " + integerText(fault.column) + " 列";
}

// "第 3 行第 7 列（S2）": the value columns by their name too, and those
// after S6 by the header's name
std::string namedPlace(const files::FileFault& fault)
{
    if (fault.column >= 1 && fault.column <= files::figureColumns)
        return place(fault) + "（" + files::columnName(fault.column) + "）";
    if (!fault.heading.empty())
        return place(fault) + "（" + fault.heading + "）";
    return place(fault);
}

std::string readFailure(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR: return "文件不存在";
    case EACCES:
    case EPERM: return "没有读取这个文件的权限";
    default: break;
    }
    return "读取时出错（系统错误代码 " + integerText(systemError) + "）";
}

std::string header()
{
    std::string names;
    for (int column = 1; column <= files::figureColumns; ++column)
        names += (column > 1 ? "," : "") + std::string(files::columnName(column));
    return names;
}

std::string theFile(const std::string& path)
{
    return "观测文件“" + escapedControls(path) + "”";
}

} // namespace

std::string observationFaultText(const files::FileFault& fault)
{
    // a cell of someone else's file: quoted, never whole
    const std::string text = quotedCell(fault.text);
    switch (fault.kind) {
    case Kind::CannotRead:
        return "不能读取：" + readFailure(fault.systemError);
    case Kind::NotAFile:
        return "不是一个文件（是文件夹或设备），不能读取";
    case Kind::Utf16:
        return "是 UTF-16 编码（Unicode 文本），不能读取；请在电子表格中另存为“CSV（逗号分隔）”或“CSV UTF-8”";
    case Kind::NotDecodable:
        return place(fault) + "的文字既不是 UTF-8 也不是 GB18030（GBK）编码";
    case Kind::NoHeader:
        return "中没有表头，第一行应为：" + header();
    case Kind::WrongHeader:
        if (text.empty())
            return place(fault) + "没有表头“" + files::columnName(fault.column) + "”，表头应为：" + header();
        return place(fault) + "的表头应为“" + files::columnName(fault.column) + "”，文件中是“" + text
               + "”；表头应为：" + header();
    case Kind::UnclosedQuote:
        return place(fault) + "的引号没有结束";
    case Kind::MissingValue:
        return namedPlace(fault) + "没有数值";
    case Kind::ExtraValue:
        return place(fault) + "多出一个数值，表头中没有这一列";
    case Kind::NotANumber:
        return namedPlace(fault) + "的“" + text + "”不是数字";
    case Kind::NotAPointName:
        return namedPlace(fault) + "的“" + text + "”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符";
    case Kind::LongLine:
        return "第 " + integerText(fault.line) + " 行超过 64 KiB，不是观测数据";
    case Kind::LongHeader:
        return "第 " + integerText(fault.line) + " 行超过 64 KiB，不是观测文件的表头";
    case Kind::RepeatedColumn:
        return place(fault) + "的表头“" + text + "”与前面的一列重复";
    }
    return {};
}

std::string observationFaultMessage(const std::string& path, const files::FileFault& fault)
{
    return theFile(path) + observationFaultText(fault) + "。请改正观测文件后再打开。";
}

std::string observationFaultLine(const std::string& path, const files::FileFault& fault)
{
    return theFile(path) + observationFaultText(fault) + "。";
}

std::string noFiguresMessage(const std::string& path)
{
    return theFile(path) + "中只有表头，没有图形。";
}

} // namespace korvane
