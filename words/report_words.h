#pragma once

// What the surveyor reads as the report leaves the window, or does not: the
// refusal after a compute that did not finish, the faults of the printer and
// of the PDF file, and the notices of where a report went.

#include "print_error.h"
#include "whole_file.h"

#include <string>

namespace korvane {

// the print command (and the preview and the PDF) after a compute command
// that did not finish
std::string printRefusedMessage();

// the copy of the results, and the export of the points, likewise
std::string copyRefusedMessage();
std::string exportRefusedMessage();

std::string printFailureMessage(PrintError::Reason reason);

// the report not saved as a PDF file: the file, the reason, what to do
std::string pdfFailureMessage(const FileError& error);

// 报告已送往打印机“NAME”, with the name of the printer that took the report
std::string printSentNotice(const std::string& printer);

// 报告已保存为 PDF：FILENAME, with the file's name without its folder
std::string pdfSavedNotice(const std::string& path);

} // namespace korvane
