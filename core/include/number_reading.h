#pragma once

// Reading what the operator types into an entry dialog.

#include <optional>
#include <string_view>

namespace korvane {

// Plain decimal notation: optional sign, digits with an optional decimal
// point, optional exponent ("1.5e3"). Blanks around the number are ignored,
// and the full-width digits, signs, point and blank that a Chinese input
// method types are read as their ASCII twins, the ideographic full stop "。"
// as the point. Anything else gives no number: an empty text, NaN, infinity,
// values beyond the range of a double, and a comma of any width ("1,5" may
// be a decimal comma or a thousands separator; the surveyor is not guessed
// at). The text is UTF-8.
std::optional<double> readNumber(std::string_view text);

// Why readNumber() refuses a text, so that the entry can say it in a line
// beside the prompt asked again.
enum class NumberRefusal {
    NotANumber,     // letters, an empty text, NaN, infinity, a point too many
    WithUnit,       // a number and a unit of length: "3521.418m", "902.1 米"
    DecimalComma,   // one comma of any width where only a point can be: "3521,418"
    ThousandsComma, // commas that may group thousands: "1,234", "3,521.418"
    OutOfRange,     // plain decimal notation beyond the range of a double: "1e999"
};

// For a text that readNumber() refuses. A comma that could part thousands
// ("1,234": 1234 or 1.234?) is never taken for a decimal comma.
NumberRefusal whyNotANumber(std::string_view text);

enum class ConfirmationReply {
    Accept,  // empty (Enter on an empty field), or a number other than zero
    Reenter, // a number equal to zero: 0, 00, 0.0, -0
    Unclear, // neither: the question is asked again
};

ConfirmationReply readConfirmation(std::string_view text);

} // namespace korvane
