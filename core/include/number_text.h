#pragma once

// The texts of numbers, shared by the window and the printed report so that
// screen and paper agree wherever they show the same value the same way.
//
// Digits never depend on the locale: every number is written and read with
// std::to_chars and std::from_chars, so a German or Russian desktop sees the
// same point and the same digits as any other.
//
// A value is first written as a decimal: a double at 15 significant digits,
// a float at 7 (the digits a single-precision value carries). That decimal,
// not the binary value behind it, is what is rounded and formatted, so a
// typed 2.0005 is the half the operator typed and shows as 2.001, and a side
// held as the float 1234.5677490234375 prints as 1234.5680.
//
// The type of the value chooses its rule, and only the exact type does: a
// float never reaches the 15-digit rule by silent widening (12.345f is the
// tie 12.34500 at 7 digits but 12.3450002670288 at 15), nor a double the
// 7-digit rule by narrowing. Every formatter here takes exactly a double or
// exactly a float, and a caller's own helpers do the same (DoubleValue,
// SingleValue, KeptValue below).
//
// Two rules of rounding meet here:
//  - rounding to n decimals sends a half to the even neighbour (0.125 -> 0.12);
//  - fixed-decimal formatting ("0.000") sends a half away from zero
//    (0.03125 -> 0.0313 unformatted, but 0.0312 when rounded first).
// A value that comes out as zero is written without a minus sign.

#include <concepts>
#include <optional>
#include <string>
#include <utility>

namespace korvane {

template <typename T>
concept DoubleValue = std::same_as<T, double>;

template <typename T>
concept SingleValue = std::same_as<T, float>;

// a value as the records keep it, in either precision
template <typename T>
concept KeptValue = DoubleValue<T> || SingleValue<T>;

inline constexpr int doubleSignificantDigits = 15;
inline constexpr int singleSignificantDigits = 7;

class Decimal {
public:
    static Decimal of(DoubleValue auto value) { return Decimal(value, doubleSignificantDigits); }
    static Decimal of(SingleValue auto value) { return Decimal(double{value}, singleSignificantDigits); }

    Decimal roundedHalfEven(int decimals) const;

    // At least one digit before the point, exactly `decimals` after it,
    // halves away from zero, "-" in front of a negative value.
    std::string fixed(int decimals) const;

private:
    Decimal(double value, int significantDigits);

    enum class Tie { ToEven, AwayFromZero };
    Decimal rounded(int decimals, Tie tie) const;

    bool negative_ = false;
    std::string digits_;  // significant digits, no leading zeros; empty for zero
    int pointPosition_ = 0; // the point stands after this many digits (may be <= 0 or > size)
};

inline constexpr int noRounding = -1;

// The usual combination: round to `roundTo` decimals (halves to even), then
// format with `decimals` decimals. roundTo < 0 formats without rounding first.
std::string fixedText(const Decimal& decimal, int roundTo, int decimals);

// The same text, found quickly when the value lies clearly away from a tie
// at the last kept decimal; nothing otherwise. A batch of a million figures
// writes eighteen numbers each, and the decimal of fifteen digits costs more
// than all the rest. The decimal of `significantDigits` digits differs from
// the value by at most half a unit of its last digit; when the value is
// farther than twice that from a tie, the decimal rounds as the value
// itself does, whichever rule breaks ties, and the digits come from the
// value scaled to an integer.
std::optional<std::string> fixedTextClearOfATie(double value, int significantDigits, int roundTo, int decimals);

std::string fixedText(KeptValue auto value, int roundTo, int decimals)
{
    constexpr int digits = SingleValue<decltype(value)> ? singleSignificantDigits : doubleSignificantDigits;
    if (std::optional<std::string> text = fixedTextClearOfATie(double{value}, digits, roundTo, decimals))
        return std::move(*text);
    return fixedText(Decimal::of(value), roundTo, decimals);
}

} // namespace korvane
