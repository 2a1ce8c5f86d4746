#pragma once

// The main window. It owns the two records of the adjustment for the whole
// run of the program and shows them; the work is done elsewhere:
//   compute (Command1): guided entry -> Observations -> adjust() -> fields,
//                       and the check of its misclosure;
//                       on its context menu, the distance meter's accuracy
//   end     (Command2): the program ends
//   print   (Command3): the report of the records on the default printer;
//                       on its context menu, the preview and the PDF file
//                       and the choice of the page of the figure after it
//   figure  (F3, or the context menu of Command1): the window 网图与检核
// Also on the compute button's context menu, a figure's observations from a
// file (computed at once, as if typed) and into one; on the window's own
// context menu, the results to the clipboard and the points to a file for
// CAD.
// What the surveyor accepts in the entry is kept in the user's settings and
// offered again by the next compute, also after a restart; so is the
// accuracy. The check line judges the misclosure of the last compute.

#include "adjustment_terms.h"
#include "check_line.h"
#include "figure_check.h"
#include "figure_sheet.h"
#include "observation_commands.h"
#include "point_export.h"
#include "records.h"
#include "shown_fields.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace korvane {

class AccuracyDialog;
class EntryMemory;
class FigureChooser;
class FigureWindow;
class InputDialog;
class MessageSink;
class OpenFileDialog;
class SaveFileDialog;

class Form1 final : public QWidget {
    Q_OBJECT

public:
    // prints the report and returns the name of the printer that took it
    using PrintJob = std::function<QString(const Observations&, const AdjustmentResult&)>;
    using PreviewCommand = std::function<void(const Observations&, const AdjustmentResult&)>;

    // nullptr: the real Qt dialog and message box, and the values remembered
    // in the user's settings
    explicit Form1(InputDialog* dialog = nullptr, MessageSink* messages = nullptr, EntryMemory* memory = nullptr,
                   QWidget* parent = nullptr);
    ~Form1() override;

    const Observations& observations() const { return observations_; }
    const AdjustmentResult& result() const { return result_; }
    // what the last compute formed for the check of its figure
    const AdjustmentTerms& terms() const { return terms_; }
    DistanceAccuracy accuracy() const { return accuracy_; }

    // False after a compute command that stopped halfway (a fault, or Cancel
    // once a value had been stored): the records then mix two runs.
    bool lastComputeFinished() const { return lastEnd_ == ComputeEnd::None || lastEnd_ == ComputeEnd::Finished; }

    // The figure of the last compute, drawn by the window of the figure and
    // the report's page of it: only after a compute that finished.
    FigureOrNotice figure() const;

    // Tests put a recorder here in place of the default printer, and of the
    // preview, and a scripted dialog in place of the file dialog.
    void setPrintCommand(PrintJob print) { print_ = std::move(print); }
    void setPreviewCommand(PreviewCommand preview) { preview_ = std::move(preview); }
    void setSaveFileDialog(SaveFileDialog* dialog) { saveDialog_ = dialog; }
    void setAccuracyDialog(AccuracyDialog* dialog) { accuracyDialog_ = dialog; }
    void setOpenFileDialog(OpenFileDialog* dialog) { openDialog_ = dialog; }
    void setFigureChooser(FigureChooser* chooser) { chooser_ = chooser; }

public slots:
    void Command1_Click();
    void Command1_ContextMenu(const QPoint& position);
    void DistanceAccuracy_Click();
    void FigureWindow_Open();
    void Command2_Click();
    void Command3_Click();
    void Command3_ContextMenu(const QPoint& position);
    void PrintPreview_Click();
    void SaveAsPdf_Click();
    void OpenObservations_Click();
    void SaveObservations_Click();
    void Form1_ContextMenu(const QPoint& position);
    void CopyResults_Click();
    void ExportPoints_Click();

private:
    void buildControls();
    // the compute after its nine values are in, typed or read from a file
    void adjustEntered();
    void endCompute(ComputeEnd end);
    // the check line and the window of the figure, when it is open
    void showCheck();
    bool refuseHalfComputedRecords();
    // the page of the figure when the surveyor asked for it, else nothing
    std::optional<FigureOrNotice> figurePage() const;

    Observations observations_;
    AdjustmentResult result_;
    AdjustmentTerms terms_;
    DistanceAccuracy accuracy_ = defaultAccuracy;
    ComputeEnd lastEnd_ = ComputeEnd::None; // before any compute the zeros print
    // the nine values of the last entry that took all nine (typed or from a
    // file), as entered: the sides of observations_ are adjusted ones
    std::optional<Observations> entered_;

    std::unique_ptr<InputDialog> ownDialog_;
    std::unique_ptr<MessageSink> ownMessages_;
    std::unique_ptr<EntryMemory> ownMemory_;
    std::unique_ptr<SaveFileDialog> ownSaveDialog_;
    std::unique_ptr<AccuracyDialog> ownAccuracyDialog_;
    std::unique_ptr<OpenFileDialog> ownOpenDialog_;
    std::unique_ptr<FigureChooser> ownChooser_;
    InputDialog* dialog_;
    MessageSink* messages_;
    EntryMemory* memory_;
    SaveFileDialog* saveDialog_;
    AccuracyDialog* accuracyDialog_;
    OpenFileDialog* openDialog_;
    FigureChooser* chooser_;
    ObservationFiles observationFiles_;
    PointExport pointExport_;
    PrintJob print_;
    PreviewCommand preview_;
    std::function<void()> beep_;
    ShownFields fields_;
    CheckLine* checkLine_ = nullptr;
    QPointer<FigureWindow> figureWindow_; // made when first opened
};

} // namespace korvane
