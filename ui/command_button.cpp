#include "command_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace korvane {

CommandButton::CommandButton(const QString& caption, QColor face, QWidget* parent)
    : QPushButton(caption, parent), face_(face)
{
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QBrush fill(face_);
    const bool sunken = isDown();
    qDrawWinButton(&painter, rect(), palette(), sunken, &fill);

    // a pressed caption moves with the face, one pixel down and right
    const QRect face = rect().adjusted(2, 2, -2, -2).translated(sunken ? QPoint(1, 1) : QPoint());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(face, Qt::AlignCenter, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(2, 2, -2, -2);
        focus.backgroundColor = face_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace korvane
