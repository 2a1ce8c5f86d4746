#include "batch_words.h"

#include "integer_text.h"
#include "shown_text.h"

namespace korvane {

std::string rowLine(long line, const std::string& name, const std::string& what)
{
    return "第 " + integerText(line) + " 行" + (name.empty() ? "" : " " + quotedCell(name)) + "：" + what;
}

std::string pointClashText(const std::string& point, long firstLine, long line)
{
    return "点名 " + quotedCell(point) + " 在第 " + integerText(firstLine) + " 行与第 " + integerText(line)
           + " 行的坐标不同";
}

std::string sameFileLine(const std::string& what, const std::string& path, const std::string& otherWhat,
                         const std::string& otherPath)
{
    return what + "“" + escapedControls(path) + "”与" + otherWhat + "“" + escapedControls(otherPath)
           + "”是同一个文件，写入会覆盖它。没有写入任何文件；请给输出另选一个文件名。";
}

std::string summaryLine(const BatchCounts& counts)
{
    return "共 " + integerText(counts.all()) + " 个图形：合格 " + integerText(counts.passed) + "，超限 "
           + integerText(counts.exceeded) + "，错误 " + integerText(counts.failed);
}

std::string noReportsLine()
{
    return "没有计算完成的图形，没有写入 PDF 文件。";
}

} // namespace korvane
