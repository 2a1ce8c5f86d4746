#include "guide_words.h"

namespace korvane {

std::string guideMissingMessage(const std::string& path)
{
    return "找不到使用说明文件“" + path + "”。使用说明与程序一同安装，请重新安装 Korvane。";
}

} // namespace korvane
