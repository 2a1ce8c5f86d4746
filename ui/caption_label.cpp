#include "caption_label.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace korvane {

CaptionPlacement placeCaption(const QFontMetrics& metrics, const QString& caption, int boxHeight)
{
    // relative to the baseline; the tight box leaves out the smoothed fringe
    // of the glyphs, and a synthesised bold, by up to a pixel
    const QRect tight = metrics.tightBoundingRect(caption);
    if (tight.isEmpty())
        return {metrics.ascent(), boxHeight};
    const QRect ink = tight.adjusted(0, -1, 0, 1);
    const int height = std::max(boxHeight, ink.height());
    const auto fits = [&](int baseline) { return baseline + ink.top() >= 0 && baseline + ink.bottom() < height; };

    int baseline = metrics.ascent();
    if (!fits(baseline))
        baseline = (height - metrics.height()) / 2 + metrics.ascent();
    if (!fits(baseline))
        baseline = std::clamp(baseline, -ink.top(), height - 1 - ink.bottom());
    return {baseline, height};
}

CaptionLabel::CaptionLabel(const QString& caption, const QFont& font, QWidget* parent) : QLabel(caption, parent)
{
    setFont(font);
}

void CaptionLabel::placeIn(const QRect& box)
{
    const CaptionPlacement placement = placeCaption(fontMetrics(), text(), box.height());
    baseline_ = placement.baseline;
    setGeometry(box.x(), box.y(), box.width(), placement.height);
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    if (baseline_ < 0)
        baseline_ = placeCaption(fontMetrics(), text(), height()).baseline;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPoint(0, baseline_), text());
}

} // namespace korvane
