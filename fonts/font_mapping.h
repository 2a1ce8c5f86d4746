#pragma once

namespace korvane {

// The window and the printed report ask for "宋体" (a Song/Ming serif face
// with the GB2312 characters) and "MS Sans Serif", which a Linux desktop
// rarely has. This tells Qt once which installed faces stand in for them,
// nearest first, so that Chinese text never shows as boxes. Safe to call more
// than once; needs a QGuiApplication.
void mapLayoutFonts();

} // namespace korvane
