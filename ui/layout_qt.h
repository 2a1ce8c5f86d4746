#pragma once

// The layout's measures, faces and colours as Qt's widgets take them.

#include "layout.h"

#include <QFont>
#include <QRect>
#include <QRgb>

class QWidget;

namespace korvane::layout {

// a label's, field's or button's box in pixels
QRect pixelRect(const Control& control);

QFont qtFont(const ControlFont& face);

// `widget` filled with `colour` behind what it draws
void paintBackground(QWidget* widget, QRgb colour);

} // namespace korvane::layout
