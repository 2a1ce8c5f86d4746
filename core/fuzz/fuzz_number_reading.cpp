// Any bytes as the text of an entry dialog: the reader never crashes, and a
// text it accepts gives a finite double that reads back the same.

#include "number_reading.h"
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    korvane::readConfirmation(text);
    const std::optional<double> value = korvane::readNumber(text);
    if (!value)
        return 0;
    if (!std::isfinite(*value))
        std::abort();

    // the shortest text that reads back to the same double
    char written[32];
    const auto end = std::to_chars(std::begin(written), std::end(written), *value).ptr;
    const std::optional<double> again = korvane::readNumber(std::string_view(written, end - written));
    if (!again || *again != *value)
        std::abort();
    korvane::fixedText(*value, 3, 3);
    return 0;
}
