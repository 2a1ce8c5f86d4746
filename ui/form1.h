#pragma once

// The main window. It owns the two records of the adjustment for the whole
// run of the program and shows them; the work is done elsewhere:
//   compute (Command1): guided entry -> Observations -> adjust() -> fields
//   end     (Command2): the program ends
//   print   (Command3): the report of the records on the default printer;
//                       on its context menu, the preview and the PDF file
// On the compute button's context menu, a figure's observations from a file
// (computed at once, as if typed) and into one; on the window's own context
// menu, the results to the clipboard and the points to a file for CAD.
// What the surveyor accepts in the entry is kept in the user's settings and
// offered again by the next compute, also after a restart.

#include "adjustment_terms.h"
#include "field_writer.h"
#include "figure_check.h"
#include "observation_commands.h"
#include "point_export.h"
#include "records.h"

#include <QByteArray>
#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QLineEdit;

namespace korvane {

class EntryMemory;
class FigureChooser;
class InputDialog;
class OpenFileDialog;
class MessageSink;
class SaveFileDialog;

class Form1 final : public QWidget, private FieldWriter {
    Q_OBJECT

public:
    using PrintCommand = std::function<void(const Observations&, const AdjustmentResult&)>;

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
    bool lastComputeFinished() const { return lastComputeFinished_; }

    // Tests put a recorder here in place of the default printer, and of the
    // preview, and a scripted dialog in place of the file dialog.
    void setPrintCommand(PrintCommand print) { print_ = std::move(print); }
    void setPreviewCommand(PrintCommand preview) { preview_ = std::move(preview); }
    void setSaveFileDialog(SaveFileDialog* dialog) { saveDialog_ = dialog; }
    void setOpenFileDialog(OpenFileDialog* dialog) { openDialog_ = dialog; }
    void setFigureChooser(FigureChooser* chooser) { chooser_ = chooser; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command3_ContextMenu(const QPoint& position);
    void PrintPreview_Click();
    void SaveAsPdf_Click();
    void Command1_ContextMenu(const QPoint& position);
    void OpenObservations_Click();
    void SaveObservations_Click();
    void Form1_ContextMenu(const QPoint& position);
    void CopyResults_Click();
    void ExportPoints_Click();

private:
    void setFieldText(const char* field, const QString& text) override;
    void buildControls();
    bool refuseHalfComputedRecords();
    void adjustEntered();

    Observations observations_;
    AdjustmentResult result_;
    AdjustmentTerms terms_;
    DistanceAccuracy accuracy_ = defaultAccuracy;
    bool lastComputeFinished_ = true; // before any compute the zeros print
    // the nine values of the last entry that took all nine (typed or from a
    // file), as entered: the sides of observations_ are adjusted ones
    std::optional<Observations> entered_;

    std::unique_ptr<InputDialog> ownDialog_;
    std::unique_ptr<MessageSink> ownMessages_;
    std::unique_ptr<EntryMemory> ownMemory_;
    std::unique_ptr<SaveFileDialog> ownSaveDialog_;
    std::unique_ptr<OpenFileDialog> ownOpenDialog_;
    std::unique_ptr<FigureChooser> ownChooser_;
    InputDialog* dialog_;
    MessageSink* messages_;
    EntryMemory* memory_;
    SaveFileDialog* saveDialog_;
    OpenFileDialog* openDialog_;
    FigureChooser* chooser_;
    ObservationFiles observationFiles_;
    PointExport pointExport_;
    PrintCommand print_;
    PrintCommand preview_;
    std::function<void()> beep_;
    QHash<QByteArray, QLineEdit*> fields_;
};

} // namespace korvane
