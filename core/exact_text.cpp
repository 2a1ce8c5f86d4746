#include "exact_text.h"

#include <array>
#include <charconv>

namespace korvane {

namespace {

// about what the prompt's one-line field shows at once
constexpr std::size_t fieldWidth = 24;

} // namespace

std::string exactText(double value)
{
    // the longest shortest text is "-2.2250738585072014e-308", 24 characters
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string typedText(double value)
{
    std::array<char, fieldWidth> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (error != std::errc())
        return exactText(value);
    return std::string(buffer.data(), end);
}

} // namespace korvane
