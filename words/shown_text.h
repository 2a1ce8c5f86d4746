#pragma once

// Text from a file, as Korvane shows it. Observation files are written by
// other people and other programs: a name may hold an escape sequence that
// would clear the surveyor's terminal, or a cell may run to megabytes. What
// a file holds is stored exactly as read; only where it is shown (standard
// error, a message box, a page, the list of figures, a title) does it pass
// through here.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// `text` (UTF-8) with each control character written as an escape that
// names its code: the C0 controls other than tab, DEL and the C1 controls
// become "\x1b", "\x7f", "\x85"; everything else is kept as it is.
std::string escapedControls(std::string_view text);

// the most characters of a cell a message quotes
inline constexpr std::size_t quotedCharacters = 32;

// A cell as a message quotes it: its first quotedCharacters characters,
// then "…" where it has more, its control characters escaped.
std::string quotedCell(std::string_view text);

} // namespace korvane
