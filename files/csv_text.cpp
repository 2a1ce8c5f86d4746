#include "csv_text.h"

namespace korvane::files {

namespace {

// a text that is, after any run of ', what a spreadsheet reads as a formula
bool readsAsFormula(std::string_view text)
{
    const std::size_t first = text.find_first_not_of('\'');
    return first != std::string_view::npos && std::string_view("=+-@\t\r").find(text[first]) != std::string_view::npos;
}

} // namespace

std::string formulaGuarded(std::string_view text)
{
    return readsAsFormula(text) ? "'" + std::string(text) : std::string(text);
}

std::string_view formulaUnguarded(std::string_view text)
{
    if (text.starts_with('\'') && readsAsFormula(text))
        text.remove_prefix(1);
    return text;
}

void appendCell(std::string& line, std::string_view text)
{
    const std::string guarded = formulaGuarded(text);
    const bool quoted = guarded.find_first_of(",;\t\"\r\n") != std::string::npos || guarded.starts_with('#');
    if (!quoted) {
        line += guarded;
        return;
    }
    line += '"';
    for (const char c : guarded) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace korvane::files
