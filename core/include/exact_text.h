#pragma once

// Texts of a value that read back (readNumber) as the very same double: how
// an entered value is kept between runs of the program and offered again at
// its prompt. Nothing is rounded here, unlike the texts of the fields and the
// report (number_text.h), so a value offered again and accepted with Enter
// computes exactly as the value first typed.

#include <string>

namespace korvane {

// The shortest such text, in whichever notation is shorter: "594.0588",
// "3e+06".
std::string exactText(double value);

// The same value as a surveyor types it, in plain decimal notation
// ("3000000", "0.00001"). A value whose plain digits would not fit the
// prompt's field keeps the shortest text ("1e+300").
std::string typedText(double value);

} // namespace korvane
