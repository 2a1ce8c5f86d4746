#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace korvane {

// A straight line of the layout (the sketch of the rhombus, the results
// frame) as a child widget of its own, so it keeps its name like every other
// control. It covers the line's bounding box, draws only the line and lets
// clicks through to whatever lies under it.
class LineControl final : public QWidget {
public:
    // `line` in the parent's pixels; a null colour draws in the window text
    // colour, the platform's colour for lines
    LineControl(const QLine& line, QColor colour, int width, QWidget* parent);

    QLine line() const { return line_; }
    QColor colour() const;
    int lineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine line_;
    QColor colour_;
    int width_;
};

} // namespace korvane
