#pragma once

#include <QColor>
#include <QPushButton>

namespace korvane {

// A push button in the graphical style of the layout: its face in its own
// colour under a raised edge that sinks while it is pressed, whatever the
// platform style would draw. Painting it directly is also much cheaper at
// start-up than a style sheet. Enter and Return click it as Space does, and
// a solid frame in the highlight colour shows where the focus is.
class CommandButton final : public QPushButton {
public:
    CommandButton(const QString& caption, QColor face, QWidget* parent);

    QColor face() const { return face_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
};

} // namespace korvane
