#include "shown_text.h"

namespace korvane {

namespace {

// the length of the UTF-8 sequence that `lead` begins; 1 for a byte that
// begins none, which is then kept on its own
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

void appendEscape(std::string& out, unsigned code)
{
    constexpr char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[code >> 4];
    out += hex[code & 0xF];
}

} // namespace

std::string escapedControls(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            appendEscape(shown, byte);
            ++i;
            continue;
        }
        // U+0080 to U+009F: C2 80 to C2 9F
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F
            && static_cast<unsigned char>(text[i + 1]) >= 0x80) {
            appendEscape(shown, static_cast<unsigned char>(text[i + 1]));
            i += 2;
            continue;
        }
        shown += text[i++];
    }
    return shown;
}

std::string quotedCell(std::string_view text)
{
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < quotedCharacters; ++characters)
        end += sequenceLength(static_cast<unsigned char>(text[end]));
    if (end >= text.size())
        return escapedControls(text);
    return escapedControls(text.substr(0, end)) + "…";
}

} // namespace korvane
