#pragma once

// The check of the misclosure in the main window: one line of text in the
// empty band between the title and the heading of the results, wrapped
// within it. It says what the words of the check line (check_words.h) say
// of the last compute, in the colour of their tone, and for a few seconds
// where a report went.

#include "check_words.h"
#include "figure_compute.h"

#include <QColor>
#include <QLabel>
#include <QString>

#include <chrono>

class QTimer;

namespace korvane {

class CheckLine final : public QLabel {
public:
    explicit CheckLine(QWidget* parent);

    // the last compute of `compute`, judged at its accuracy
    void judge(const FigureCompute& compute);

    // Says `notice` for a few seconds in place of the check, then shows the
    // check again; a new judgement ends it at once.
    void announce(const QString& notice);

    static constexpr std::chrono::milliseconds noticeDuration{5000};

private:
    // the colour of a tone: the window's own text colour, dark green, amber, red
    QColor colourOf(CheckLineText::Tone tone) const;
    void display(const QString& text, const QColor& colour);

    QString judgedText_;
    QColor judgedColour_;
    QTimer* noticeTimer_;
};

} // namespace korvane
