#include "point_names.h"

namespace korvane::files {

bool isPointName(std::string_view name)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F || byte == ',' || byte == ';' || byte == '"')
            return false;
        // C1 controls, U+0080 to U+009F
        if (byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F)
            return false;
        // every character has one byte that does not continue another
        if ((byte & 0xC0) != 0x80)
            ++characters;
    }
    return characters >= 1 && characters <= longestPointName;
}

} // namespace korvane::files
