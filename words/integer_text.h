#pragma once

// A whole number in plain ASCII digits, whatever the locale: a line of a
// file, a count of figures, a system error code.

#include <charconv>
#include <string>

namespace korvane {

inline std::string integerText(long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

} // namespace korvane
