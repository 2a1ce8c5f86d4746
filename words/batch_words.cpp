#include "batch_words.h"

#include "integer_text.h"

namespace korvane {

std::string rowLine(long line, const std::string& name, const std::string& what)
{
    return "第 " + integerText(line) + " 行" + (name.empty() ? "" : " " + name) + "：" + what;
}

std::string summaryLine(const BatchCounts& counts)
{
    const std::string weak = counts.weak == 0 ? "" : "，图形较弱 " + integerText(counts.weak);
    return "共 " + integerText(counts.all()) + " 个图形：合格 " + integerText(counts.passed) + weak + "，超限 "
           + integerText(counts.exceeded) + "，错误 " + integerText(counts.failed);
}

std::string noReportsLine()
{
    return "没有计算完成的图形，没有写入 PDF 文件。";
}

} // namespace korvane
