#include "dialog_placement.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <cstdint>
#include <tuple>

namespace korvane {

namespace {

// between the field and the dialog's frame, so that the two read apart
constexpr int gap = 8;

// The start of a span of `length` moved inside [areaStart, areaStart +
// areaLength); a span longer than the area starts with it, so that the
// dialog's title bar stays on the screen.
int inside(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

std::int64_t coveredArea(const QRect& frame, const QRect& covered)
{
    const QRect common = frame.intersected(covered);
    return common.isEmpty() ? 0 : std::int64_t(common.width()) * common.height();
}

} // namespace

QPoint dialogPosition(QSize frame, const QRect& field, const QRect& caption, const QRect& available)
{
    const QRect keepClear = caption.isEmpty() ? field : field.united(caption);
    const auto inArea = [&](int x, int y) {
        return QPoint(inside(x, frame.width(), available.left(), available.width()),
                      inside(y, frame.height(), available.top(), available.height()));
    };

    // beside the field first, level with its caption: the eye goes from the
    // value to the question along one line
    const std::array preferred{
        inArea(keepClear.right() + 1 + gap, keepClear.top()),
        inArea(keepClear.left() - gap - frame.width(), keepClear.top()),
        inArea(keepClear.left(), keepClear.bottom() + 1 + gap),
        inArea(keepClear.left(), keepClear.top() - gap - frame.height()),
    };
    for (const QPoint& corner : preferred)
        if (!QRect(corner, frame).intersects(keepClear))
            return corner;

    // The area is too small. How much of a rectangle the frame covers is the
    // product of a horizontal and a vertical overlap, and each is least at
    // one end of the frame's range in the area: the least cover is at one of
    // the range's four corners.
    const QPoint first = inArea(available.left(), available.top());
    const QPoint last = inArea(available.right(), available.bottom());
    const auto cover = [&](const QPoint& corner) {
        const QRect placed(corner, frame);
        return std::make_tuple(coveredArea(placed, field), coveredArea(placed, caption));
    };
    QPoint best = preferred.front();
    for (const QPoint& corner : {first, QPoint(last.x(), first.y()), QPoint(first.x(), last.y()), last})
        if (cover(corner) < cover(best))
            best = corner;
    return best;
}

} // namespace korvane
