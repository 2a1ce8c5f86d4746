#pragma once

// Pieces of the CSV files Korvane writes: UTF-8 with a byte-order mark, so
// that Excel and WPS read the Chinese texts, comma-separated, CRLF line ends
// as both expect.

#include <string>
#include <string_view>

namespace korvane::files {

inline constexpr std::string_view csvLineEnd = "\r\n";

// Appends `text` as one text cell. A text a spreadsheet would take for a
// formula (formulaGuarded) gets its guard; then the cell is written as it is,
// or in double quotes (a quote inside doubled) when it holds a separator, a
// quote or a line end, or starts with '#', which would make a first cell read
// as a comment. Numbers are appended as they are, never through here: a
// negative coordinate stays a number.
void appendCell(std::string& line, std::string_view text);

// Excel, WPS and LibreOffice evaluate a cell that begins with =, +, -, @, a
// tab or a carriage return as a formula, quoted or not, so a name from a file
// written by someone else could run one on the surveyor's desktop. Such a
// text gets a ' in front, which makes it plain text; so does one that starts
// with a run of ' before such a character, so that a name that itself begins
// with ' comes back whole from formulaUnguarded.
std::string formulaGuarded(std::string_view text);

// The text that formulaGuarded was given: one ' taken off where a run of '
// comes before one of the formula's first characters.
std::string_view formulaUnguarded(std::string_view text);

} // namespace korvane::files
