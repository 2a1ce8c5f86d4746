#pragma once

// The sentence of a file that was not written, the same for the report as a
// PDF, the exported points, an observation file and the batch's results:
// what was not written where, the file, the reason, what to do.

#include "whole_file.h"

#include <string>

namespace korvane {

// `notWritten` says what was not written where ("坐标没有导出到文件"); the
// file is named as `error` names it.
std::string fileFailureMessage(const std::string& notWritten, const FileError& error);

} // namespace korvane
