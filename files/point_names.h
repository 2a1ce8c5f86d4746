#pragma once

// The names of a figure's four points, as the surveyor calls them (GP01,
// K12): A and C the control points, B and D the new ones. A figure whose file
// names none, or that was typed, is called by the letters themselves
// (figure_identity.h), so whoever shows or writes a point takes its name as
// it is.

#include "figure_identity.h"

#include <string_view>

namespace korvane::files {

using korvane::PointNames;
using korvane::letterNames;

// The longest name, in characters: what a CAD label or a table column holds.
inline constexpr std::size_t longestPointName = 32;

// Whether `name` (UTF-8) may name a point: 1 to longestPointName characters,
// none of them a separator of any of the observation file's kinds (comma,
// semicolon, tab), a double quote or a control character. A name must mean
// the same in every file Korvane writes it to, and the CASS points file
// cannot quote a cell.
bool isPointName(std::string_view name);

} // namespace korvane::files
