#pragma once

#include <QString>

namespace korvane {

// The window and the printed report ask for "宋体" (a Song/Ming serif face
// with the GB2312 characters) and "MS Sans Serif", which a Linux desktop
// rarely has. This tells Qt once which installed faces stand in for them,
// nearest first, so that Chinese text never shows as boxes. Safe to call more
// than once; needs a QGuiApplication.
void mapLayoutFonts();

// The first of `family` and the faces mapLayoutFonts() names for it that is
// installed; `family` itself where none is, for Qt's own fallbacks. Qt, asked
// for a family it lacks, first sorts every installed face by fontconfig's
// preference before it tries the substitutes, a few milliseconds of the
// window's start-up for the face the substitutes give anyway.
QString installedStandIn(const QString& family);

} // namespace korvane
