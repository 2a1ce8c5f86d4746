#include "number_reading.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

namespace {

// Takes one UTF-8 character from `text` at `pos`, or returns false on a
// malformed sequence.
bool nextCodePoint(std::string_view text, std::size_t& pos, char32_t& out)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + length > text.size())
        return false;
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += length;
    out = cp;
    return true;
}

// blank, tab, newline, vertical tab, form feed, carriage return; named here
// rather than asked of the C locale
bool isAsciiBlank(char32_t cp)
{
    return cp == ' ' || (cp >= '\t' && cp <= '\r');
}

// The ASCII character that a typed character stands for in a number: the
// full-width forms that a Chinese input method types become their ASCII
// twins, and every blank becomes ' '. Anything else outside ASCII is '\0'.
char asciiTwin(char32_t cp)
{
    if (cp < 0x80)
        return isAsciiBlank(cp) ? ' ' : static_cast<char>(cp);
    if (cp >= 0xFF10 && cp <= 0xFF19)
        return static_cast<char>('0' + (cp - 0xFF10));
    switch (cp) {
    case 0xFF0B: return '+';
    case 0xFF0D:
    case 0x2212: return '-'; // full-width hyphen-minus, minus sign
    case 0xFF0E:
    case 0x3002: return '.'; // full-width and ideographic full stop: in
                             // Chinese punctuation mode the point key types 。
    case 0xFF45: return 'e';
    case 0xFF25: return 'E';
    case 0x3000:
    case 0x00A0: return ' '; // ideographic and no-break space
    default: return '\0';
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// [sign] (digits [. [digits]] | . digits) [(e|E) [sign] digits]
bool isPlainDecimal(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

// asciiTwin(), and a comma of any width as the ASCII comma: the full-width
// "，" and the enumeration comma "、" that a Chinese input method types
char twinWithCommas(char32_t cp)
{
    return cp == 0xFF0C || cp == 0x3001 ? ',' : asciiTwin(cp);
}

// The text with every character turned into its ASCII twin and the blanks
// around it cut off; nothing when a character has no twin.
std::optional<std::string> asciiTrimmed(std::string_view text, char (*twin)(char32_t) = asciiTwin)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        if (!nextCodePoint(text, pos, cp))
            return std::nullopt;
        const char c = twin(cp);
        if (c == '\0')
            return std::nullopt;
        ascii.push_back(c);
    }
    const std::size_t first = ascii.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return ascii.substr(first, ascii.find_last_not_of(' ') - first + 1);
}

// A text of ASCII alone is its own twin but for the kind of its blanks,
// which a number never holds inside: trimmed in place, it reads as the
// twin would. Files of a million figures are read this way.
std::optional<std::string_view> asciiTrimmedInPlace(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
    const auto blank = [](char c) { return isAsciiBlank(static_cast<unsigned char>(c)); };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    std::optional<std::string> converted;
    std::optional<std::string_view> ascii = asciiTrimmedInPlace(text);
    if (!ascii) {
        converted = asciiTrimmed(text);
        if (converted)
            ascii = *converted;
    }
    if (!ascii || !isPlainDecimal(*ascii))
        return std::nullopt;

    // from_chars reads no leading '+', and is independent of the C locale
    std::string_view number(*ascii);
    if (number.front() == '+')
        number.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt; // beyond the range of a double
    return value;
}

namespace {

// units of length a surveyor may type after a value, longest first where
// one ends another
constexpr std::string_view lengthUnits[] = {"mm", "cm", "km", "m", "毫米", "厘米", "千米", "公里", "米"};

bool endsWithUnit(std::string_view text, std::string_view unit)
{
    if (text.size() < unit.size())
        return false;
    const std::string_view tail = text.substr(text.size() - unit.size());
    for (std::size_t i = 0; i < unit.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != unit[i])
            return false;
    }
    return true;
}

bool isDigits(std::string_view s)
{
    for (const char c : s)
        if (!isDigit(c))
            return false;
    return !s.empty();
}

// [sign] 1 to 3 digits, then groups of a comma and 3 digits, then what
// may follow the digits before a point
bool mayGroupThousands(std::string_view s)
{
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    const std::size_t integerEnd = std::min(s.find_first_of(".eE"), s.size());
    const std::string_view rest = s.substr(integerEnd);
    std::string_view integer = s.substr(0, integerEnd);
    const std::size_t firstComma = integer.find(',');
    if (firstComma == std::string_view::npos || firstComma == 0 || firstComma > 3
        || !isDigits(integer.substr(0, firstComma)))
        return false;
    integer.remove_prefix(firstComma);
    for (; !integer.empty(); integer.remove_prefix(4))
        if (integer.size() < 4 || integer[0] != ',' || !isDigits(integer.substr(1, 3)))
            return false;
    return isPlainDecimal("0" + std::string(rest));
}

} // namespace

NumberRefusal whyNotANumber(std::string_view text)
{
    // a unit: the text without it reads as a number
    std::string_view trimmed = text;
    constexpr std::string_view ideographicSpace = "\u3000";
    while (!trimmed.empty()) {
        if (isAsciiBlank(static_cast<unsigned char>(trimmed.back())))
            trimmed.remove_suffix(1);
        else if (trimmed.ends_with(ideographicSpace))
            trimmed.remove_suffix(ideographicSpace.size());
        else
            break;
    }
    for (const std::string_view unit : lengthUnits)
        if (endsWithUnit(trimmed, unit) && readNumber(trimmed.substr(0, trimmed.size() - unit.size())))
            return NumberRefusal::WithUnit;

    const std::optional<std::string> ascii = asciiTrimmed(text, twinWithCommas);
    if (!ascii)
        return NumberRefusal::NotANumber;
    const auto commas = std::count(ascii->begin(), ascii->end(), ',');
    if (commas > 0) {
        if (mayGroupThousands(*ascii))
            return NumberRefusal::ThousandsComma;
        std::string pointed = *ascii;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        if (commas == 1 && ascii->find('.') == std::string::npos && isPlainDecimal(pointed))
            return NumberRefusal::DecimalComma;
        return NumberRefusal::NotANumber;
    }
    // plain decimal notation that readNumber() refused is beyond a double
    return isPlainDecimal(*ascii) ? NumberRefusal::OutOfRange : NumberRefusal::NotANumber;
}

ConfirmationReply readConfirmation(std::string_view text)
{
    const std::optional<std::string> ascii = asciiTrimmed(text);
    if (ascii && ascii->empty())
        return ConfirmationReply::Accept;
    const std::optional<double> number = readNumber(text);
    if (!number)
        return ConfirmationReply::Unclear;
    return *number == 0.0 ? ConfirmationReply::Reenter : ConfirmationReply::Accept;
}

} // namespace korvane
