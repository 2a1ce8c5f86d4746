#include "check_line.h"

#include "layout.h"
#include "qt_text.h"

#include "check_colours.h"

#include <QTimer>

namespace korvane {

namespace {

// The band between the title (Label1, down to 2775) and the heading of the
// results (Label2, from 4200), from beside the fields of the control points
// (to 4815) to the right edge of the results frame (10320): empty in the
// layout, so the line moves no control and the window grows by nothing.
constexpr int leftTwips = 4920;
constexpr int topTwips = 2880;
constexpr int widthTwips = 5400;
constexpr int heightTwips = 1260;

} // namespace

CheckLine::CheckLine(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("CheckLine"));
    setGeometry(layout::pixels(leftTwips), layout::pixels(topTwips), layout::pixels(widthTwips),
                layout::pixels(heightTwips));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    noticeTimer_->setInterval(noticeDuration);
    connect(noticeTimer_, &QTimer::timeout, this, [this] { display(judgedText_, judgedColour_); });
}

QColor CheckLine::colourOf(CheckLineText::Tone tone) const
{
    switch (tone) {
    case CheckLineText::Tone::Pass:
        return QColor(checkPassColour);
    case CheckLineText::Tone::Weak:
        return QColor(checkWeakColour);
    case CheckLineText::Tone::Fail:
        return QColor(checkFailColour);
    case CheckLineText::Tone::Plain:
        break;
    }
    return parentWidget()->palette().color(QPalette::WindowText);
}

void CheckLine::judge(const FigureCompute& compute)
{
    const CheckLineText line = checkLineText(compute);
    judgedColour_ = colourOf(line.tone);
    // "2 mm + 2 ppm" wrapped in the middle reads as two instruments
    const QString instrument = qtText(accuracyText(compute.accuracy()));
    judgedText_ = qtText(line.text).replace(instrument, QString(instrument).replace(QChar(' '), QChar::Nbsp));
    noticeTimer_->stop();
    display(judgedText_, judgedColour_);
}

void CheckLine::announce(const QString& notice)
{
    display(notice, colourOf(CheckLineText::Tone::Plain));
    noticeTimer_->start();
}

void CheckLine::display(const QString& text, const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    setText(text);
}

} // namespace korvane
