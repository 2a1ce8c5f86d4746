#include "layout_qt.h"

#include "font_mapping.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <string_view>

namespace korvane::layout {

QRect pixelRect(const Control& control)
{
    return QRect(pixels(control.a), pixels(control.b), pixels(control.c), pixels(control.d));
}

QFont qtFont(const ControlFont& face)
{
    QFont font(installedStandIn(QString::fromUtf8(face.family)));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    // The Song stand-ins draw these sizes from their own bitmaps, so hinting
    // changes nothing on screen; asked for, it would first make FreeType
    // analyse the whole CJK face, megabytes and milliseconds at start-up.
    if (std::string_view(face.family) == songFamily)
        font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintBackground(QWidget* widget, QRgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace korvane::layout
