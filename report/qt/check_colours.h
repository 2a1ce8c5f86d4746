#pragma once

#include <QRgb>

namespace korvane {

// The verdict of the check of the misclosure, alike in the window and on
// paper: 合格 in dark green, 超限 in the red of the window's frame.
inline constexpr QRgb checkPassColour = qRgb(0, 110, 0);
inline constexpr QRgb checkFailColour = qRgb(255, 0, 0);

} // namespace korvane
