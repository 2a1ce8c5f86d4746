#include "file_words.h"

#include "integer_text.h"
#include "shown_text.h"

namespace korvane {

std::string fileFailureMessage(const std::string& notWritten, const FileError& error)
{
    std::string reason;
    std::string advice;
    switch (error.reason()) {
    case FileError::Reason::FolderNotWritable:
        reason = "不能在这个文件夹中写入文件（没有写入权限，或磁盘是只读的）";
        advice = "请选择另一个文件夹后再保存。";
        break;
    case FileError::Reason::FolderMissing:
        reason = "这个文件夹不存在";
        advice = "请选择另一个文件夹后再保存。";
        break;
    case FileError::Reason::DiskFull:
        reason = "磁盘已满";
        advice = "请清理磁盘或选择另一个磁盘后再保存。";
        break;
    case FileError::Reason::NotAFileName:
        reason = "这个名字不能用作文件名（太长、含有磁盘不允许的字符，或是一个文件夹的名字）";
        advice = "请换一个文件名后再保存。";
        break;
    case FileError::Reason::WriteFailed:
        reason = "写入磁盘时出错";
        if (error.systemError() != 0)
            reason += "（系统错误代码 " + integerText(error.systemError()) + "）";
        advice = "请检查磁盘后再保存。";
        break;
    }
    return notWritten + "“" + escapedControls(error.path()) + "”：" + reason + "。" + advice;
}

} // namespace korvane
