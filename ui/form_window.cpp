#include "form_window.h"

#include "form1.h"
#include "layout.h"

#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>

#include <algorithm>

namespace korvane {

namespace {

// the start of a span of `length` moved inside [areaStart, areaStart +
// areaLength), or the area's start for a span longer than the area
int inside(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

FormWindow::FormWindow(QWidget* parent) : QScrollArea(parent)
{
    setWindowTitle(QStringLiteral("Korvane"));
    setFrameShape(QFrame::NoFrame);
    // the tab order runs through the form's controls alone
    setFocusPolicy(Qt::NoFocus);
    // a window made larger than the form shows more of its background
    setWidgetResizable(true);
    QPalette background = viewport()->palette();
    background.setColor(QPalette::Window, QColor(layout::formBackground));
    viewport()->setPalette(background);
    resize(layout::clientPixels());
}

void FormWindow::setForm(Form1* form)
{
    setWidget(form);
    fitInto(screen()->availableGeometry());
}

QMargins FormWindow::windowFrame() const
{
    // known once the window manager has framed the shown window; none before
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void FormWindow::fitInto(const QRect& available)
{
    const QMargins frame = windowFrame();
    fittedFrame_ = frame;
    const QSize form = widget() ? widget()->minimumSize() : layout::clientPixels();
    const QSize room = available.size().shrunkBy(frame);
    QSize size = form.boundedTo(room);
    // a scroll bar takes room from the other direction, which is given back
    // where the area has it
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (size.height() < form.height())
        size.setWidth(std::min(room.width(), size.width() + bar));
    if (size.width() < form.width())
        size.setHeight(std::min(room.height(), size.height() + bar));
    setMinimumSize(size);
    resize(size);
}

void FormWindow::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    // a window restored by the window manager keeps the size it was given
    if (!event->spontaneous())
        fitInto(screen()->availableGeometry());
}

// The window manager places the window inside the area where it fits, and
// frames it once it is mapped, moving it as it does: the frame's size is
// then known, and the window is fitted again with it, and moved in where
// its frame sticks out.
void FormWindow::moveEvent(QMoveEvent* event)
{
    QScrollArea::moveEvent(event);
    if (!isVisible() || windowFrame() == fittedFrame_)
        return;
    const QRect available = screen()->availableGeometry();
    fitInto(available);
    const QRect outer(frameGeometry().topLeft(), size().grownBy(fittedFrame_));
    const QPoint in(inside(outer.left(), outer.width(), available.left(), available.width()),
                    inside(outer.top(), outer.height(), available.top(), available.height()));
    if (in != outer.topLeft())
        move(in);
}

} // namespace korvane
