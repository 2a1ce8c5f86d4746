#include "command_button.h"

#include <QPainter>
#include <qdrawutil.h>

namespace korvane {

namespace {

// pixels: the focus frame is drawn this wide, inside the raised edge
constexpr int focusFrameWidth = 2;

} // namespace

CommandButton::CommandButton(const QString& caption, QColor face, QWidget* parent)
    : QPushButton(caption, parent), face_(face)
{
    // Outside a dialog a push button ignores Enter; an auto-default button
    // clicks on it. The layout's window has no default button, so nothing
    // else changes: Enter on a field does nothing, as before.
    setAutoDefault(true);
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

    // The platform's dotted focus rectangle is barely seen on the yellow and
    // pink faces; a solid frame in the highlight colour is.
    if (hasFocus()) {
        // one pixel of the face between the frame and the raised edge
        const qreal inset = 1 + focusFrameWidth / 2.0;
        QPen pen(palette().color(QPalette::Highlight), focusFrameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(face).adjusted(inset, inset, -inset, -inset));
    }
}

} // namespace korvane
