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

namespace {

// each by the option that names it, the observation file by what it holds
std::string fileName(BatchFile file)
{
    switch (file) {
    case BatchFile::Observations: return "观测文件";
    case BatchFile::Results: return "结果文件（--output）";
    case BatchFile::Reports: return "PDF 文件（--pdf）";
    case BatchFile::Points: break;
    }
    return "坐标文件（--points）";
}

} // namespace

std::string sameFileLine(BatchFile file, const std::string& path, BatchFile other, const std::string& otherPath)
{
    return fileName(file) + "“" + escapedControls(path) + "”与" + fileName(other) + "“" + escapedControls(otherPath)
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
