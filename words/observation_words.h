#pragma once

// What the surveyor reads when an observation file cannot be used: which
// file, which line, which column, and what is wrong there. Paths are UTF-8.

#include "observation_file.h"

#include <string>

namespace korvane {

// The fault without the file: "第 3 行第 7 列（S2）的“abc”不是数字", the cell
// quoted as quotedCell() quotes it. The batch command's status cell of a row.
std::string observationFaultText(const files::FileFault& fault);

// The window's message: the file, the fault, what to do.
std::string observationFaultMessage(const std::string& path, const files::FileFault& fault);

// The batch's line on standard error when the file cannot be read on: the
// file and the fault.
std::string observationFaultLine(const std::string& path, const files::FileFault& fault);

// a file that holds a header and no figure
std::string noFiguresMessage(const std::string& path);

} // namespace korvane
