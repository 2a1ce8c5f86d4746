#include "beside_placement.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

namespace korvane {

namespace {

// how many of `results` the frame covers, then how much of them
std::tuple<int, std::int64_t> cover(const QRect& frame, std::span<const QRect> results)
{
    int count = 0;
    std::int64_t area = 0;
    for (const QRect& result : results) {
        const QRect common = frame.intersected(result);
        if (common.isEmpty())
            continue;
        ++count;
        area += std::int64_t(common.width()) * common.height();
    }
    return {count, area};
}

} // namespace

QRect besideFrame(int wanted, int least, const QRect& main, std::span<const QRect> results, const QRect& available)
{
    const int top = available.top();
    const int height = available.height();

    const int roomRight = available.right() - main.right();
    if (roomRight >= least)
        return QRect(main.right() + 1, top, std::min(wanted, roomRight), height);
    const int roomLeft = main.left() - available.left();
    if (roomLeft >= least) {
        const int width = std::min(wanted, roomLeft);
        return QRect(main.left() - width, top, width, height);
    }

    // Over the main window. As the frame slides right, what it covers stops
    // falling and starts to grow only where its right edge reaches a result
    // or its left edge has just left one: the fewest results, and the least
    // of them, lie at one of those places or at an end of the area. The
    // right end is tried first.
    const int width = std::min(least, available.width());
    const int first = available.left();
    const int last = std::max(first, available.right() + 1 - width);
    std::vector<int> places{last, first};
    for (const QRect& result : results)
        for (const int x : {result.left() - width, result.right() + 1})
            places.push_back(std::clamp(x, first, last));
    QRect best(last, top, width, height);
    for (const int x : places) {
        const QRect frame(x, top, width, height);
        if (cover(frame, results) < cover(best, results))
            best = frame;
    }
    return best;
}

} // namespace korvane
