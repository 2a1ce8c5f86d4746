// Any bytes as the text of an entry dialog: the reader never crashes, and a
// text it accepts gives a finite double that reads back the same.

#include "number_reading.h"
#include "number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
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

    char written[32];
    std::snprintf(written, sizeof written, "%.17g", *value);
    const std::optional<double> again = korvane::readNumber(written);
    if (!again || *again != *value)
        std::abort();
    korvane::fixedText(*value, 3, 3);
    return 0;
}
