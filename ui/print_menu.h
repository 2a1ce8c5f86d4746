#pragma once

// The print button's other ways to the report, on its context menu: on
// screen before it is printed, and as a PDF file for the archive or for a
// desk without a printer. Both read the same records as the paper. A check
// on the same menu adds the page of the figure after the report's, on paper,
// in the preview and in the file alike; the settings keep the choice.

#include "figure_sheet.h"
#include "records.h"

#include <QString>

#include <functional>
#include <optional>

class QDateTime;
class QPoint;
class QWidget;

namespace korvane {

class MessageSink;
class SaveFileDialog;

QString previewCaption();
QString saveAsPdfCaption();
QString figurePageCaption();
QString printButtonToolTip();

// What the window says for a few seconds once a report has left it:
// 报告已送往打印机“NAME”, and 报告已保存为 PDF：FILENAME with the file's name.
QString printSentNotice(const QString& printer);
QString pdfSavedNotice(const QString& path);

// Opens the menu at `globalPosition` and runs the command chosen, if any;
// the check of the page of the figure is kept in the settings at once.
void showPrintMenu(QWidget* parent, const QPoint& globalPosition, const std::function<void()>& preview,
                   const std::function<void()>& saveAsPdf);

// Whether the report takes the page of the figure, as the user's settings
// keep it; off on a first start.
bool figurePageWanted();

// Korvane-YYYYMMDD-HHMMSS.pdf in the user's documents folder (the home folder
// when there is none), stamped with `now`.
QString proposedPdfPath(const QDateTime& now);

// Asks for a file name and saves the report there, with the page of the
// figure when `figurePage` is given, and returns the file's path; a fault of
// the disk becomes a message and leaves everything as it was.
std::optional<QString> saveReportAsPdfFile(SaveFileDialog& dialog, MessageSink& messages, const Observations& observations,
                         const AdjustmentResult& result, const FigureOrNotice* figurePage = nullptr);

} // namespace korvane
