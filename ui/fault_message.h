#pragma once

// The sentences the window shows when a command cannot finish, in the
// surveyor's terms: which triangle, which side, which point.

#include "adjustment_error.h"
#include "print_error.h"
#include "whole_file.h"

#include <QString>

namespace korvane {

QString faultMessage(const AdjustmentError& error);

// the print command after a compute command that did not finish
QString printRefusedMessage();

QString printFailureMessage(PrintError::Reason reason);

// the report not saved as a PDF file: the file, the reason, what to do
QString pdfFailureMessage(const FileError& error);

// Any file not written, in the same words: `notWritten` says what was not
// written where ("坐标没有导出到文件"), the file, the reason, what to do.
QString fileFailureMessage(const QString& notWritten, const FileError& error);

} // namespace korvane
