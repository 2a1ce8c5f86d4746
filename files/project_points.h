#pragma once

// The points of every figure of a batch run in one file, as a project's
// coordinates go to CAD: each control point once, however many figures it
// serves, and every new point once, in the order first met, in the formats
// of the exported points (point_files.h).
//
// Points are one by their names. A name met again within a millimetre of
// where it was first met is the same point, written once with its first
// coordinates. A name met again farther off is two points under one name:
// never merged, the figure that brings it back is refused whole and writes
// none of its points, so the file never holds a point a figure did not
// agree with.

#include "point_files.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace korvane::files {

// the farthest a point met again may lie from where it was first met, metres
inline constexpr double samePointTolerance = 0.001;

// A name already taken elsewhere: the point, and the line of the figure that
// first brought it.
struct PointClash {
    std::string name;
    long firstLine;
};

class ProjectPoints {
public:
    explicit ProjectPoints(PointsFormat format) : format_(format) {}

    PointsFormat format() const { return format_; }

    // The four points of the computed figure on `line`: when each name is
    // new, or met before within samePointTolerance, the new ones are
    // appended to `out` and the figure's clash is nothing; otherwise the
    // first clash, and nothing is taken.
    std::optional<PointClash> take(long line, const Observations& observations, const AdjustmentResult& result,
                                   const PointNames& names, std::string& out);

private:
    struct Met {
        double X;
        double Y;
        long line;
    };

    PointsFormat format_;
    std::unordered_map<std::string, Met> met_;
};

} // namespace korvane::files
