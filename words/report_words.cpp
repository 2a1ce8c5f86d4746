#include "report_words.h"

#include "file_words.h"

namespace korvane {

namespace {

// `command` is what the surveyor tried: 打印, 复制, 导出
std::string recordsMixedMessage(const std::string& command)
{
    return "上次平差计算没有完成，记录中的数值不一致。请重新进行平差计算后再" + command + "。";
}

} // namespace

std::string printRefusedMessage()
{
    return recordsMixedMessage("打印");
}

std::string copyRefusedMessage()
{
    return recordsMixedMessage("复制");
}

std::string exportRefusedMessage()
{
    return recordsMixedMessage("导出");
}

std::string printFailureMessage(PrintError::Reason reason)
{
    switch (reason) {
    case PrintError::Reason::NoDefaultPrinter:
        return "没有默认打印机，无法打印。请在系统中设置默认打印机后再打印。";
    case PrintError::Reason::PrinterFailed:
        break;
    }
    return "打印失败：打印机没有完成打印任务。请检查打印机后再打印。";
}

std::string pdfFailureMessage(const FileError& error)
{
    return fileFailureMessage("报告没有保存为 PDF 文件", error);
}

std::string printSentNotice(const std::string& printer)
{
    return "报告已送往打印机“" + printer + "”";
}

std::string pdfSavedNotice(const std::string& path)
{
    // the name alone: a whole path would not fit the line; the folder is
    // the one the surveyor has just chosen
    return "报告已保存为 PDF：" + path.substr(path.rfind('/') + 1);
}

} // namespace korvane
