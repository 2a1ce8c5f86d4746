#include "line_control.h"

#include <QPainter>

namespace korvane {

LineControl::LineControl(const QLine& line, QColor colour, int width, QWidget* parent)
    : QWidget(parent), line_(line), colour_(colour), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // room for the half of the pen, and its square cap, beyond the end points
    const int reach = (width + 1) / 2;
    const QRect box = QRect(line.p1(), line.p2()).normalized();
    setGeometry(box.adjusted(-reach, -reach, reach, reach));
}

QColor LineControl::colour() const
{
    return colour_.isValid() ? colour_ : palette().color(QPalette::WindowText);
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // the thin diagonals of the sketch read better smoothed; the frame's
    // horizontal and vertical lines stay crisp either way
    painter.setRenderHint(QPainter::Antialiasing, line_.dx() != 0 && line_.dy() != 0);
    painter.setPen(QPen(colour(), width_, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(line_.translated(-pos()));
}

} // namespace korvane
