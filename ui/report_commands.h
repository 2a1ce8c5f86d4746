#pragma once

// The report leaving the window, the print button's family of commands: on
// the default printer (打 印), on screen before it is printed (打印预览…),
// and as a PDF file for the archive or for a desk without a printer
// (保存为 PDF…), all from the same records. When 报告附网图与检核页 is
// checked, the page of the figure follows the report's, on paper, in the
// preview and in the file alike; the settings keep the choice.
//
// Each is refused after a compute that stopped halfway. A fault of the
// printer or of the disk becomes a message and changes nothing; a report
// that left says where it went. The pages of a figure from a file carry its
// name, its line and the date of its compute in their running header.

#include "figure_compute.h"
#include "figure_sheet.h"
#include "figure_title.h"
#include "records.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QDateTime;
class QWidget;

namespace korvane {

class MessageSink;
class SaveFileDialog;
class Settings;

class ReportCommands final : public QObject {
    Q_OBJECT

public:
    // Prints the report, with the page of the figure after it when
    // `figurePage` is given and each page under `header` when it is given,
    // and returns the name of the printer that took it; throws PrintError.
    using PrintJob = std::function<QString(const Observations&, const AdjustmentResult&, const FigureOrNotice* figurePage,
                                           const RunningHeader* header)>;
    // Shows the report on screen, the page of the figure after it and the
    // running header as for printing; throws PrintError when printing from
    // the preview fails.
    using PreviewJob = std::function<void(const Observations&, const AdjustmentResult&, const FigureOrNotice* figurePage,
                                          const RunningHeader* header)>;

    // Empty jobs are the default printer and the preview over `window`.
    ReportCommands(const FigureCompute& compute, Settings& settings, SaveFileDialog& files, MessageSink& messages,
                   QWidget* window, PrintJob print = {}, PreviewJob preview = {});

    // whether the report takes the page of the figure, as the settings keep it
    bool figurePageWanted() const;

public slots:
    void print();
    void preview();
    void saveAsPdf();
    void setFigurePageWanted(bool wanted);

signals:
    // A report has left the window: 报告已送往打印机“NAME”, or 报告已保存为
    // PDF：FILENAME.
    void reportSent(const QString& notice);

private:
    bool refused();
    // the page of the figure when the surveyor asked for it, else nothing
    std::optional<FigureOrNotice> figurePage() const;

    const FigureCompute& compute_;
    Settings& settings_;
    SaveFileDialog& files_;
    MessageSink& messages_;
    PrintJob print_;
    PreviewJob preview_;
};

// the caption of the command that saves the report as a PDF file, which the
// message of a desk without a printer offers too
QString saveAsPdfCaption();

// Korvane-YYYYMMDD-HHMMSS.pdf in the user's documents folder (the home folder
// when there is none), stamped with `now`.
QString proposedPdfPath(const QDateTime& now);

} // namespace korvane
