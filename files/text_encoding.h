#pragma once

// The two encodings a surveyor's CSV comes in: UTF-8 (with or without a
// byte-order mark), and GB18030, of which GBK and GB2312 are parts: what WPS
// and Excel on a Chinese desktop save a CSV as. GB18030 is decoded with the
// C library's iconv, so no library is added for it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::files {

enum class TextEncoding { Utf8, Gb18030 };

inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The offset of the first byte that does not belong to a well-formed UTF-8
// character (overlong forms, surrogates and values above U+10FFFF are not
// well formed), or nothing when all of `bytes` is UTF-8. A character cut off
// at the end of `bytes` counts as malformed.
std::optional<std::size_t> firstInvalidUtf8(std::string_view bytes);

// Decodes GB18030 text into UTF-8. One decoder per file: opening iconv is
// the costly part.
class Gb18030Decoder {
public:
    Gb18030Decoder();
    ~Gb18030Decoder();
    Gb18030Decoder(const Gb18030Decoder&) = delete;
    Gb18030Decoder& operator=(const Gb18030Decoder&) = delete;

    // The UTF-8 text into `out`; false when `bytes` holds a sequence that is
    // not GB18030, and then `badOffset` is where it starts.
    bool decode(std::string_view bytes, std::string& out, std::size_t& badOffset);

private:
    void* converter_; // the C library's iconv_t
};

} // namespace korvane::files
