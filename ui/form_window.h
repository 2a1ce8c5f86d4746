#pragma once

// The program's top-level window: Form1 in a scroll frame. The form keeps
// its size and every control its place; the window opens as large as the
// form, or as large as the screen's available area where that is smaller,
// and then scrolls. It cannot be made smaller than it opens.

#include <QScrollArea>

namespace korvane {

class Form1;

class FormWindow final : public QScrollArea {
public:
    // sized for the layout until it takes the form
    explicit FormWindow(QWidget* parent = nullptr);

    // Takes `form` into the frame, and the window's size from it.
    void setForm(Form1* form);

    // Sizes the window to show as much of the form as `available` (a
    // screen's area less its panels) holds with the window's frame; it can be
    // made no smaller. Showing fits the window to its screen.
    void fitInto(const QRect& available);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QMargins windowFrame() const;

    QMargins fittedFrame_; // the window manager's frame when last fitted
};

} // namespace korvane
