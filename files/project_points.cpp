#include "project_points.h"

#include <cmath>
#include <vector>

namespace korvane::files {

std::optional<PointClash> ProjectPoints::take(long line, const Observations& observations,
                                              const AdjustmentResult& result, const PointNames& names,
                                              std::string& out)
{
    const std::array<FigurePoint, 4> points = figurePoints(observations, result, names);
    // checked against the points met before and against the figure's own, so
    // that B and D under one name clash as well
    std::vector<const FigurePoint*> fresh;
    for (const FigurePoint& point : points) {
        const auto found = met_.find(point.name);
        const FigurePoint* sameName = nullptr;
        for (const FigurePoint* earlier : fresh)
            if (earlier->name == point.name)
                sameName = earlier;
        const bool metBefore = found != met_.end();
        if (!metBefore && !sameName) {
            fresh.push_back(&point);
            continue;
        }
        const double X = metBefore ? found->second.X : sameName->X;
        const double Y = metBefore ? found->second.Y : sameName->Y;
        if (std::hypot(point.X - X, point.Y - Y) > samePointTolerance)
            return PointClash{point.name, metBefore ? found->second.line : line};
    }
    for (const FigurePoint* point : fresh) {
        met_.emplace(point->name, Met{point->X, point->Y, line});
        appendPoint(out, format_, *point);
    }
    return std::nullopt;
}

} // namespace korvane::files
