#pragma once

// The main window as data: one row per control, in twips (1440 to the inch)
// from the top-left corner of the client area. Form1 turns the rows into
// widgets in one loop; nothing here depends on Qt widgets.

#include <QRgb>
#include <QSize>

#include <span>

namespace korvane::layout {

enum class Kind { Label, Field, Line, Button };

struct ControlFont {
    const char* family; // UTF-8
    double points;
    bool bold;
};

inline constexpr const char* songFamily = "宋体";

inline constexpr ControlFont windowFont{"MS Sans Serif", 8.25, true};
inline constexpr ControlFont sans12Bold{"MS Sans Serif", 12, true};
inline constexpr ControlFont sansRegular{"MS Sans Serif", 8.25, false};
inline constexpr ControlFont song9Bold{songFamily, 9, true};
inline constexpr ControlFont song12Bold{songFamily, 12, true};
inline constexpr ControlFont song14Bold{songFamily, 14.25, true};
inline constexpr ControlFont song15Bold{songFamily, 15.75, true};

inline constexpr QRgb formBackground = qRgb(255, 255, 192);
inline constexpr QRgb red = qRgb(255, 0, 0);
// a line drawn in the platform's colour for lines (the window text colour)
inline constexpr QRgb defaultLineColour = 0;

inline constexpr int twipsPerPixel = 15;
// each coordinate converted on its own, as the window places controls
inline constexpr int pixels(int twips)
{
    return twips / twipsPerPixel;
}
inline constexpr int fieldHeight = 270;
inline constexpr int labelHeight = 255;
// blank band kept to the right of and below the lowest-right control
inline constexpr int marginTwips = 240;

struct Control {
    Kind kind;
    const char* name;
    const char* caption = ""; // UTF-8; labels and buttons
    // Label, Field, Button: left, top, width, height.
    // Line: the two end points (x1, y1) and (x2, y2).
    int a = 0, b = 0, c = 0, d = 0;
    ControlFont font = windowFont;
    QRgb colour = formBackground; // background; for a line its pen
    int lineWidth = 1;            // pixels
    int tabIndex = -1;            // fields and buttons
    // fields: the label whose text names the field for screen readers, and
    // the point letter put in front inside the blocks of B and D
    const char* captionLabel = nullptr;
    const char* pointPrefix = "";
};

std::span<const Control> controls();

// the control of that name, or nullptr
const Control* find(const char* name);

// The pixels that hold every control but the hidden label, with the blank
// band of marginTwips to the right and below: the window's size before its
// captions are measured, which may grow a label downward.
QSize clientPixels();

// The label that nothing refers to and that lies left of the client area.
inline constexpr const char* hiddenLabel = "Label20";

} // namespace korvane::layout
