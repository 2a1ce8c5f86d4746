#pragma once

// The second window, 网图与检核: the network of the last finished compute
// drawn to scale with its error ellipses, and the table of its check beside
// it (the drawing of the report's page of the figure, report/qt), titled with
// the figure's name and line when it came from a file. Before a compute has
// finished it says so and draws nothing. Non-modal and resizable; the main
// window hands it the figure after each compute.

#include "figure_sheet.h"

#include <QRect>
#include <QWidget>

#include <span>

namespace korvane {

class FigureWindow final : public QWidget {
    Q_OBJECT

public:
    explicit FigureWindow(QWidget* parent = nullptr);

    void showFigure(FigureOrNotice figure);
    const FigureOrNotice& figure() const { return figure_; }

    // Sizes and moves the window, before it is first shown, beside `main`
    // (a top-level window already framed), over as few of `results` (where
    // they lie on the screen) as it can (beside_placement.h).
    void placeBeside(const QWidget& main, std::span<const QRect> results);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FigureOrNotice figure_;
};

} // namespace korvane
