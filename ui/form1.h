#pragma once

// The main window. It shows one figure's compute (FigureCompute) for the
// whole run of the program, computes it from the guided entry, and wires
// each command to the family that carries it out:
//   compute (Command1): guided entry -> FigureCompute -> fields, and the
//                       check of its misclosure; on its context menu the
//                       distance meter's accuracy and the reduction of the
//                       sides (InstrumentSettings), the window of the figure
//                       (F3, 网图与检核) and the observation files
//                       (ObservationCommands)
//   end     (Command2): the program ends
//   print   (Command3): the report on the default printer; on its context
//                       menu the preview, the PDF file and the choice of the
//                       page of the figure after it (ReportCommands)
//   the window's own context menu: the results to the clipboard (Ctrl+C)
//                       and the points to a file (ResultCommands); the
//                       surveyor's guide (F1, GuideWindow)
// Each command is one QAction, made in createActions() with its caption and
// key, put on its menu and connected to its family there. What the surveyor
// accepts is kept in the settings and offered again by the next compute,
// also after a restart; so is the accuracy. While the results of a figure
// from a file are shown, the window's title names it.

#include "figure_compute.h"
#include "shown_fields.h"
#include "window_parts.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QKeySequence;

namespace korvane {

class CheckLine;
class CommandButton;
class FigureWindow;
class GuideWindow;
class InstrumentSettings;
class ObservationCommands;
class ResultCommands;

namespace layout {
struct Control;
}

class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(WindowParts parts = {}, QWidget* parent = nullptr);
    ~Form1() override;

    const FigureCompute& compute() const { return compute_; }

    // the command families, as the window's menus reach them
    ReportCommands& report() { return *report_; }
    ObservationCommands& observationFiles() { return *observationFiles_; }
    ResultCommands& results() { return *results_; }
    InstrumentSettings& instrument() { return *instrument_; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void FigureWindow_Open();
    // the surveyor's guide (F1), or a sentence that it is missing
    void Guide_Open();
    // A figure whose nine values come whole (from a file), computed at once
    // exactly as if typed and confirmed: every echo, memory and single copy;
    // `figure` says which figure of which line it is, and `meanHeight`, its
    // own from its file, replaces the reduction's H_m.
    void computeFigure(const Observations& values, const FigureIdentity& figure = {},
                       std::optional<double> meanHeight = std::nullopt);

private:
    struct PlacedControl {
        const layout::Control* control;
        QWidget* widget;
    };

    // the layout, a table of controls turned into widgets step by step
    void buildControls();
    QWidget* addControl(const layout::Control& control);
    QWidget* addLabel(const layout::Control& control);
    QWidget* addField(const layout::Control& control);
    QWidget* addButton(const layout::Control& control);
    QWidget* addLine(const layout::Control& control);
    void stackControls(const std::vector<PlacedControl>& placed);
    void orderTabStops(const std::vector<PlacedControl>& placed);
    void sizeToControls(const std::vector<PlacedControl>& placed);

    void createFamilies();
    void createActions();
    void connectFamilies();
    // one command: its caption, its key (none: empty), and the slot of its
    // family that it runs
    template <typename Family, typename Slot>
    QAction* command(const QString& caption, const QKeySequence& key, Family* family, Slot slot);

    // the compute after its nine values are in, typed or read from a file
    // (with the file's mean height of the figure)
    void adjustEntered(std::optional<double> meanHeight = std::nullopt);
    // the last nine values entered computed again, with their height, once
    // the reduction of the sides has changed
    void computeAgain();
    // a compute that stopped before its end: the fields it did not write
    // turn grey, and the check line says so
    void computeStopped();
    // the check line, the window's title and the window of the figure, when
    // it is open
    void showCheck();
    std::vector<QRect> resultsOnScreen() const;

    RealParts real_;
    WindowParts parts_; // every part present
    FigureCompute compute_;
    ShownFields fields_;
    std::function<void()> beep_;

    CommandButton* Command1 = nullptr;
    CommandButton* Command2 = nullptr;
    CommandButton* Command3 = nullptr;
    CheckLine* checkLine_ = nullptr;
    QPointer<FigureWindow> figureWindow_; // made when first opened
    QPointer<GuideWindow> guideWindow_;   // likewise

    ReportCommands* report_ = nullptr;
    ObservationCommands* observationFiles_ = nullptr;
    ResultCommands* results_ = nullptr;
    InstrumentSettings* instrument_ = nullptr;
};

} // namespace korvane
