#include "text_encoding.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <iconv.h>

namespace korvane::files {

std::optional<std::size_t> firstInvalidUtf8(std::string_view bytes)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    while (i < bytes.size()) {
        // eight ASCII bytes at a time: the figures' numbers are
        if (i + 8 <= bytes.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = at(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // the allowed range of the second byte narrows for the leads whose
        // plain continuation would be overlong, a surrogate or beyond U+10FFFF
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high)
            return i;
        for (std::size_t k = 2; k < length; ++k)
            if ((at(i + k) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return std::nullopt;
}

Gb18030Decoder::Gb18030Decoder() : converter_(iconv_open("UTF-8", "GB18030"))
{
    // glibc's iconv always has GB18030; a C library without it cannot read
    // these files at all
    if (converter_ == reinterpret_cast<void*>(-1))
        throw std::runtime_error("iconv cannot convert GB18030 to UTF-8");
}

Gb18030Decoder::~Gb18030Decoder()
{
    iconv_close(converter_);
}

bool Gb18030Decoder::decode(std::string_view bytes, std::string& out, std::size_t& badOffset)
{
    out.clear();
    // a GB18030 character is at most 4 bytes and at most 4 bytes of UTF-8
    out.resize(bytes.size() * 2 + 4);
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    const std::size_t result = iconv(converter_, &in, &inLeft, &to, &toLeft);
    if (result == static_cast<std::size_t>(-1)) {
        // EILSEQ: not GB18030; EINVAL: a character cut off at the end
        badOffset = bytes.size() - inLeft;
        out.clear();
        return false;
    }
    out.resize(out.size() - toLeft);
    return true;
}

} // namespace korvane::files
