#include "number_text.h"

#include <charconv>
#include <cmath>

namespace korvane {

// Writes the value with `significantDigits` digits in scientific form and
// takes the digits and the decimal exponent apart. The records never hold a
// value that is not finite; should one come, it reads as zero rather than as
// digits of "inf" or "nan".
Decimal::Decimal(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return;
    char text[64];
    const auto written = std::to_chars(std::begin(text), std::end(text), value, std::chars_format::scientific,
                                       significantDigits - 1);
    const char* p = text;
    negative_ = *p == '-';
    if (negative_)
        ++p;
    for (; p != written.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            digits_.push_back(*p);
    }
    int exponent = 0;
    if (p != written.ptr) {
        ++p; // 'e'
        if (*p == '+')
            ++p; // from_chars reads no plus sign
        std::from_chars(p, written.ptr, exponent);
    }
    pointPosition_ = exponent + 1;
    digits_.erase(digits_.find_last_not_of('0') + 1);
}

Decimal Decimal::roundedHalfEven(int decimals) const
{
    return rounded(decimals, Tie::ToEven);
}

Decimal Decimal::rounded(int decimals, Tie tie) const
{
    const int kept = pointPosition_ + decimals; // digits that stay
    if (kept >= static_cast<int>(digits_.size()))
        return *this;

    Decimal r = *this;
    if (kept < 0) { // the value lies below half a unit of the last decimal
        r.digits_.clear();
        return r;
    }

    const char first = digits_[kept];
    const bool restNonZero = digits_.find_first_not_of('0', kept + 1) != std::string::npos;
    const bool lastKeptOdd = kept > 0 && (digits_[kept - 1] - '0') % 2 == 1;
    bool up = first > '5' || (first == '5' && restNonZero);
    if (first == '5' && !restNonZero)
        up = tie == Tie::AwayFromZero || lastKeptOdd;

    r.digits_.resize(kept);
    if (up) {
        int i = kept - 1;
        while (i >= 0 && r.digits_[i] == '9')
            r.digits_[i--] = '0';
        if (i >= 0) {
            ++r.digits_[i];
        } else { // 9.99 -> 10.0, or nothing kept -> one unit of the last decimal
            r.digits_.insert(r.digits_.begin(), '1');
            ++r.pointPosition_;
        }
    }
    r.digits_.erase(r.digits_.find_last_not_of('0') + 1);
    return r;
}

std::string Decimal::fixed(int decimals) const
{
    const Decimal r = rounded(decimals, Tie::AwayFromZero);
    const int size = static_cast<int>(r.digits_.size());
    auto digitAt = [&](int i) { return i >= 0 && i < size ? r.digits_[i] : '0'; };

    std::string text;
    if (r.negative_ && !r.digits_.empty())
        text.push_back('-');
    if (r.pointPosition_ <= 0)
        text.push_back('0');
    for (int i = 0; i < r.pointPosition_; ++i)
        text.push_back(digitAt(i));
    if (decimals > 0) {
        text.push_back('.');
        for (int i = 0; i < decimals; ++i)
            text.push_back(digitAt(r.pointPosition_ + i));
    }
    return text;
}

std::optional<std::string> fixedTextClearOfATie(double value, int significantDigits, int roundTo, int decimals)
{
    // one rounding, at the last decimal shown
    constexpr int mostDecimals = 9;
    if ((roundTo >= 0 && roundTo != decimals) || decimals < 0 || decimals > mostDecimals || significantDigits < 1
        || significantDigits > 17 || !std::isfinite(value))
        return std::nullopt;
    // powers of ten, all exact in a double
    constexpr double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};
    // In units of the last decimal the decimal lies within
    // scaled / 10^(digits - 1) / 2 of the value; the scaling itself errs by
    // a hundredth of that at most (half a unit of the 53rd bit), which the
    // factor of two below covers. Below 2^53 every whole number of units is
    // exact.
    const double scaled = std::fabs(value) * powers[decimals];
    if (!(scaled < 0x1p53))
        return std::nullopt;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (!(std::fabs(fraction - 0.5) * powers[significantDigits - 1] > scaled))
        return std::nullopt;

    auto units = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    // a value that comes out as zero has no sign
    const bool minus = value < 0 && units != 0;
    char text[32];
    char* end = std::end(text);
    char* p = end;
    for (int place = 0; place <= decimals || units != 0; ++place) {
        if (place == decimals && decimals > 0)
            *--p = '.';
        *--p = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    if (minus)
        *--p = '-';
    return std::string(p, end);
}

std::string fixedText(const Decimal& decimal, int roundTo, int decimals)
{
    return (roundTo >= 0 ? decimal.roundedHalfEven(roundTo) : decimal).fixed(decimals);
}

} // namespace korvane
