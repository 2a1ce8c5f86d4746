#pragma once

// The words (words/, UTF-8) as the window shows them.

#include <QString>

#include <string>

namespace korvane {

inline QString qtText(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace korvane
