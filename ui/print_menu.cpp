#include "print_menu.h"

#include "fault_message.h"
#include "message_sink.h"
#include "proposed_path.h"
#include "save_file_dialog.h"
#include "settings_memory.h"

#include "pdf_report.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMenu>

namespace korvane {

QString previewCaption()
{
    return QStringLiteral("打印预览…");
}

QString saveAsPdfCaption()
{
    return QStringLiteral("保存为 PDF…");
}

QString figurePageCaption()
{
    return QStringLiteral("报告附网图与检核页");
}

QString printButtonToolTip()
{
    return QStringLiteral("左键打印；右键可打印预览或保存为 PDF");
}

QString printSentNotice(const QString& printer)
{
    return QStringLiteral("报告已送往打印机“%1”").arg(printer);
}

QString pdfSavedNotice(const QString& path)
{
    // the name alone: a whole path would not fit the line; the folder is
    // the one the surveyor has just chosen
    return QStringLiteral("报告已保存为 PDF：%1").arg(QFileInfo(path).fileName());
}

void showPrintMenu(QWidget* parent, const QPoint& globalPosition, const std::function<void()>& preview,
                   const std::function<void()>& saveAsPdf)
{
    QMenu menu(parent);
    QAction* previewAction = menu.addAction(previewCaption());
    QAction* pdfAction = menu.addAction(saveAsPdfCaption());
    menu.addSeparator();
    QAction* figurePageAction = menu.addAction(figurePageCaption());
    figurePageAction->setCheckable(true);
    figurePageAction->setChecked(figurePageWanted());
    // the command runs after the menu has closed, not inside its event loop
    const QAction* chosen = menu.exec(globalPosition);
    if (chosen == figurePageAction)
        SettingsMemory(SettingsMemory::userFile()).rememberFigurePage(figurePageAction->isChecked());
    else if (chosen == previewAction)
        preview();
    else if (chosen == pdfAction)
        saveAsPdf();
}

bool figurePageWanted()
{
    return SettingsMemory(SettingsMemory::userFile()).recallFigurePage();
}

QString proposedPdfPath(const QDateTime& now)
{
    return stampedPath(documentsFolder(), now, QStringLiteral(".pdf"));
}

std::optional<QString> saveReportAsPdfFile(SaveFileDialog& dialog, MessageSink& messages, const Observations& observations,
                         const AdjustmentResult& result, const FigureOrNotice* figurePage)
{
    const std::optional<QString> chosen =
        dialog.askSavePath(QStringLiteral("保存报告为 PDF"), QStringLiteral("PDF 文件 (*.pdf)"),
                           proposedPdfPath(QDateTime::currentDateTime()));
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    const QString path = withPdfSuffix(*chosen);
    try {
        saveReportAsPdf(path, observations, result, figurePage);
    } catch (const FileError& error) {
        messages.tell(pdfFailureMessage(error));
        return std::nullopt;
    }
    return path;
}

} // namespace korvane
