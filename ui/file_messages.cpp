#include "file_messages.h"

#include <QDir>

#include <cerrno>
#include <charconv>

namespace korvane {

namespace {

using Kind = files::FileFault::Kind;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString number(long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return QString::fromLatin1(digits, end - digits);
}

QString place(const files::FileFault& fault)
{
    return u("第 %1 行第 %2 列").arg(number(fault.line), number(fault.column));
}

// "第 3 行第 7 列（S2）": the value columns by their name too, and those
// after S6 by the header's name
QString namedPlace(const files::FileFault& fault)
{
    if (fault.column >= 1 && fault.column <= files::figureColumns)
        return place(fault) + u("（%1）").arg(QString::fromUtf8(files::columnName(fault.column)));
    if (!fault.heading.empty())
        return place(fault) + u("（%1）").arg(QString::fromStdString(fault.heading));
    return place(fault);
}

QString readFailure(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR: return u("文件不存在");
    case EACCES:
    case EPERM: return u("没有读取这个文件的权限");
    default: break;
    }
    return u("读取时出错（系统错误代码 %1）").arg(number(systemError));
}

QString header()
{
    QString names;
    for (int column = 1; column <= files::figureColumns; ++column)
        names += (column > 1 ? u(",") : QString()) + QString::fromUtf8(files::columnName(column));
    return names;
}

} // namespace

QString observationFaultText(const files::FileFault& fault)
{
    const QString text = QString::fromStdString(fault.text);
    switch (fault.kind) {
    case Kind::CannotRead:
        return u("不能读取：%1").arg(readFailure(fault.systemError));
    case Kind::NotAFile:
        return u("不是一个文件（是文件夹或设备），不能读取");
    case Kind::Utf16:
        return u("是 UTF-16 编码（Unicode 文本），不能读取；请在电子表格中另存为“CSV（逗号分隔）”或“CSV UTF-8”");
    case Kind::NotDecodable:
        return u("%1的文字既不是 UTF-8 也不是 GB18030（GBK）编码").arg(place(fault));
    case Kind::NoHeader:
        return u("中没有表头，第一行应为：%1").arg(header());
    case Kind::WrongHeader:
        if (text.isEmpty())
            return u("%1没有表头“%2”，表头应为：%3")
                .arg(place(fault), QString::fromUtf8(files::columnName(fault.column)), header());
        return u("%1的表头应为“%2”，文件中是“%3”；表头应为：%4")
            .arg(place(fault), QString::fromUtf8(files::columnName(fault.column)), text, header());
    case Kind::UnclosedQuote:
        return u("%1的引号没有结束").arg(place(fault));
    case Kind::MissingValue:
        return u("%1没有数值").arg(namedPlace(fault));
    case Kind::ExtraValue:
        return u("%1多出一个数值，表头中没有这一列").arg(place(fault));
    case Kind::NotANumber:
        return u("%1的“%2”不是数字").arg(namedPlace(fault), text);
    case Kind::NotAPointName:
        return u("%1的“%2”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符")
            .arg(namedPlace(fault), text);
    case Kind::LongLine:
        return u("第 %1 行超过 64 KiB，不是观测数据").arg(number(fault.line));
    case Kind::LongHeader:
        return u("第 %1 行超过 64 KiB，不是观测文件的表头").arg(number(fault.line));
    case Kind::RepeatedColumn:
        return u("%1的表头“%2”与前面的一列重复").arg(place(fault), text);
    }
    return {};
}

QString observationFaultMessage(const QString& path, const files::FileFault& fault)
{
    return u("观测文件“%1”%2。请改正观测文件后再打开。").arg(QDir::toNativeSeparators(path), observationFaultText(fault));
}

QString noFiguresMessage(const QString& path)
{
    return u("观测文件“%1”中只有表头，没有图形。").arg(QDir::toNativeSeparators(path));
}

} // namespace korvane
