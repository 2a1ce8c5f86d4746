#pragma once

// Pieces of the CSV files Korvane writes: UTF-8 with a byte-order mark, so
// that Excel and WPS read the Chinese texts, comma-separated, CRLF line ends
// as both expect.

#include <string>
#include <string_view>

namespace korvane::files {

inline constexpr std::string_view csvLineEnd = "\r\n";

// Appends `text` as one cell: as it is, or in double quotes (a quote inside
// doubled) when it holds a separator, a quote or a line end, or starts with
// '#', which would make a first cell read as a comment.
void appendCell(std::string& line, std::string_view text);

} // namespace korvane::files
