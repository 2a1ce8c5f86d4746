#pragma once

// Which figure a compute holds, as the surveyor knows it: its name and its
// line in the observation file it came from, and the names of its four
// points (GP01, K12). A figure typed into the window has none of them: no
// name, no line, and its points called by their letters, so whoever shows
// or writes a point takes its name as it is.

#include <array>
#include <string>

namespace korvane {

// in the order A, B, C, D; UTF-8
using PointNames = std::array<std::string, 4>;

inline const PointNames letterNames{"A", "B", "C", "D"};

struct FigureIdentity {
    std::string name;   // UTF-8, exactly as read; empty for a typed figure
    long line = 0;      // in the file, from 1; 0 for a typed figure
    PointNames points = letterNames;

    // from an observation file, whether its name cell held a name or not
    bool fromFile() const { return line > 0; }
    bool operator==(const FigureIdentity&) const = default;
};

} // namespace korvane
