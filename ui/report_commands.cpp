#include "report_commands.h"

#include "message_sink.h"
#include "proposed_path.h"
#include "qt_text.h"
#include "save_file_dialog.h"
#include "settings.h"

#include "default_printer.h"
#include "pdf_report.h"
#include "print_error.h"
#include "report_preview.h"
#include "report_words.h"

#include <QDateTime>
#include <QWidget>

#include <utility>

namespace korvane {

QString saveAsPdfCaption()
{
    return QStringLiteral("保存为 PDF…");
}

QString proposedPdfPath(const QDateTime& now)
{
    return stampedPath(documentsFolder(), now, QStringLiteral(".pdf"));
}

ReportCommands::ReportCommands(const FigureCompute& compute, Settings& settings, SaveFileDialog& files,
                               MessageSink& messages, QWidget* window, PrintJob print, PreviewJob preview)
    : QObject(window),
      compute_(compute),
      settings_(settings),
      files_(files),
      messages_(messages),
      print_(print ? std::move(print) : PrintJob(printReportOnDefaultPrinter)),
      preview_(preview ? std::move(preview)
                       : PreviewJob([window](const Observations& o, const AdjustmentResult& r, const FigureOrNotice* page,
                                             const RunningHeader* header) {
                             showReportPreview(window, o, r, page, header);
                         }))
{
}

bool ReportCommands::figurePageWanted() const
{
    return settings_.recallFigurePage();
}

void ReportCommands::setFigurePageWanted(bool wanted)
{
    settings_.rememberFigurePage(wanted);
}

std::optional<FigureOrNotice> ReportCommands::figurePage() const
{
    if (!figurePageWanted())
        return std::nullopt;
    return figureOf(compute_);
}

bool ReportCommands::refused()
{
    // the records of a compute that stopped halfway would look finished on
    // paper, on screen or in an archived file alike, and be wrong
    if (compute_.recordsAgree())
        return false;
    messages_.tell(qtText(printRefusedMessage()));
    return true;
}

void ReportCommands::print()
{
    if (refused())
        return;
    const std::optional<FigureOrNotice> page = figurePage();
    const std::optional<RunningHeader> header = runningHeader(compute_);
    try {
        // the job leaves the window without a sound: say where it went
        const QString printer =
            print_(compute_.observations(), compute_.result(), page ? &*page : nullptr, header ? &*header : nullptr);
        emit reportSent(qtText(printSentNotice(printer.toStdString())));
    } catch (const PrintError& error) {
        const QString message = qtText(printFailureMessage(error.reason()));
        // a desk without a printer can still keep the report, as a file
        if (error.reason() == PrintError::Reason::NoDefaultPrinter) {
            if (messages_.offer(message, saveAsPdfCaption()))
                saveAsPdf();
            return;
        }
        messages_.tell(message);
    }
}

void ReportCommands::preview()
{
    if (refused())
        return;
    const std::optional<FigureOrNotice> page = figurePage();
    const std::optional<RunningHeader> header = runningHeader(compute_);
    try {
        preview_(compute_.observations(), compute_.result(), page ? &*page : nullptr, header ? &*header : nullptr);
    } catch (const PrintError& error) {
        messages_.tell(qtText(printFailureMessage(error.reason())));
    }
}

void ReportCommands::saveAsPdf()
{
    if (refused())
        return;
    const std::optional<QString> chosen =
        files_.askSavePath(QStringLiteral("保存报告为 PDF"), QStringLiteral("PDF 文件 (*.pdf)"),
                           proposedPdfPath(QDateTime::currentDateTime()));
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = withPdfSuffix(*chosen);
    const std::optional<FigureOrNotice> page = figurePage();
    const std::optional<RunningHeader> header = runningHeader(compute_);
    try {
        saveReportAsPdf(path, compute_.observations(), compute_.result(), page ? &*page : nullptr,
                        header ? &*header : nullptr);
    } catch (const FileError& error) {
        messages_.tell(qtText(pdfFailureMessage(error)));
        return;
    }
    emit reportSent(qtText(pdfSavedNotice(path.toStdString())));
}

} // namespace korvane
