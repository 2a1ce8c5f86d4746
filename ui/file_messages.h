#pragma once

// What the surveyor reads when an observation file cannot be used: which
// file, which line, which column, and what is wrong there.

#include "observation_file.h"

#include <QString>

namespace korvane {

// The fault without the file: "第 3 行第 7 列（S2）的“abc”不是数字". The
// batch command's status cell of a row.
QString observationFaultText(const files::FileFault& fault);

// The window's message: the file, the fault, what to do.
QString observationFaultMessage(const QString& path, const files::FileFault& fault);

// a file that holds a header and no figure
QString noFiguresMessage(const QString& path);

} // namespace korvane
