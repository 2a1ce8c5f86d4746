#pragma once

// What the window says when the surveyor's guide (使用说明, F1) cannot be
// shown. The path is UTF-8.

#include <string>

namespace korvane {

// the guide is not where the program was installed with it
std::string guideMissingMessage(const std::string& path);

} // namespace korvane
