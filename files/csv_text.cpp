#include "csv_text.h"

namespace korvane::files {

void appendCell(std::string& line, std::string_view text)
{
    const bool quoted = text.find_first_of(",;\t\"\r\n") != std::string_view::npos
                        || text.starts_with('#');
    if (!quoted) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace korvane::files
