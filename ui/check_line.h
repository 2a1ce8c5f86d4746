#pragma once

// The check of the misclosure in the main window: one line of text in the
// empty band between the title and the heading of the results, wrapped
// within it. It judges the w of the last compute against the distance
// meter's accuracy, and says when that compute did not finish.

#include "adjustment_terms.h"
#include "figure_check.h"

#include <QColor>
#include <QLabel>
#include <QString>

#include <chrono>

class QTimer;

namespace korvane {

// How far the last compute command got.
enum class ComputeEnd {
    None,                    // no compute yet, or none that stored a value
    StoppedBeforeMisclosure, // a fault, or Cancel once a value was accepted, before w was stored
    StoppedAfterMisclosure,  // w was stored, a later stage failed
    Finished,
};

struct CheckLineText {
    enum class Tone { Plain, Pass, Fail };
    QString text;
    Tone tone = Tone::Plain;
};

// What the line says after a compute that ended as `end`; `terms` and `w` as
// that compute left them. A check that cannot be formed (absurd data beyond
// the range of its arithmetic) is a line that says so, never an error.
CheckLineText checkLineText(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy);

class CheckLine final : public QLabel {
public:
    explicit CheckLine(QWidget* parent);

    void judge(ComputeEnd end, const AdjustmentTerms& terms, float w, DistanceAccuracy accuracy);

    // Says `notice` for a few seconds in place of the check, then shows the
    // check again; a new judgement ends it at once.
    void announce(const QString& notice);

    static constexpr std::chrono::milliseconds noticeDuration{5000};

private:
    QColor plainColour() const;
    void display(const QString& text, const QColor& colour);

    QString judgedText_;
    QColor judgedColour_;
    QTimer* noticeTimer_;
};

} // namespace korvane
