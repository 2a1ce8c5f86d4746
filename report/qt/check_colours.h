#pragma once

#include <QRgb>

namespace korvane {

// The verdict of the check of the misclosure, alike in the window and on
// paper: 合格 in dark green, 超限 in the red of the window's frame, and
// between them 图形较弱 in amber, dark enough to read on white: a check
// that cannot be relied on is neither a pass nor a blunder.
inline constexpr QRgb checkPassColour = qRgb(0, 110, 0);
inline constexpr QRgb checkWeakColour = qRgb(180, 105, 0);
inline constexpr QRgb checkFailColour = qRgb(255, 0, 0);

} // namespace korvane
