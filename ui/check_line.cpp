#include "check_line.h"

#include "layout.h"

#include "check_colours.h"
#include "check_text.h"

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

QString u(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

CheckLineText checkLineText(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy)
{
    using Tone = CheckLineText::Tone;
    if (end == ComputeEnd::None)
        return {};
    if (end == ComputeEnd::StoppedBeforeMisclosure)
        return {u(unfinishedCheckLine()), Tone::Plain};

    MisclosureCheck check;
    try {
        check = checkMisclosure(terms, w, accuracy);
    } catch (const AdjustmentError&) {
        return {QStringLiteral("闭合差检核：数值超出了计算范围，无法求出限差。请检查输入数据"), Tone::Fail};
    }
    QString text = u(misclosureCheckLine(check, accuracy));
    if (end == ComputeEnd::StoppedAfterMisclosure) {
        // w is this compute's and judged; the fields after it are not
        text += QStringLiteral("。本次计算未完成，灰色的数值不是本次计算的结果");
        // a verdict in green would vouch for results that are not there
        return {text, check.withinLimit ? Tone::Plain : Tone::Fail};
    }
    return {text, check.withinLimit ? Tone::Pass : Tone::Fail};
}

CheckLine::CheckLine(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("CheckLine"));
    const int pixel = layout::twipsPerPixel;
    setGeometry(leftTwips / pixel, topTwips / pixel, widthTwips / pixel, heightTwips / pixel);
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    noticeTimer_->setInterval(noticeDuration);
    connect(noticeTimer_, &QTimer::timeout, this, [this] { display(judgedText_, judgedColour_); });
}

void CheckLine::judge(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy)
{
    const CheckLineText line = checkLineText(end, terms, w, accuracy);
    switch (line.tone) {
    case CheckLineText::Tone::Plain:
        judgedColour_ = plainColour();
        break;
    case CheckLineText::Tone::Pass:
        judgedColour_ = QColor(checkPassColour);
        break;
    case CheckLineText::Tone::Fail:
        judgedColour_ = QColor(checkFailColour);
        break;
    }
    // "2 mm + 2 ppm" wrapped in the middle reads as two instruments
    const QString instrument = u(accuracyText(accuracy));
    judgedText_ = QString(line.text).replace(instrument, QString(instrument).replace(QChar(' '), QChar::Nbsp));
    noticeTimer_->stop();
    display(judgedText_, judgedColour_);
}

void CheckLine::announce(const QString& notice)
{
    display(notice, plainColour());
    noticeTimer_->start();
}

QColor CheckLine::plainColour() const
{
    return parentWidget()->palette().color(QPalette::WindowText);
}

void CheckLine::display(const QString& text, const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    setText(text);
}

} // namespace korvane
