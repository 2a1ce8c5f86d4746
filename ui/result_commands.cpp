#include "result_commands.h"

#include "message_sink.h"
#include "proposed_path.h"
#include "qt_text.h"
#include "result_copy.h"
#include "save_file_dialog.h"

#include "check_words.h"
#include "file_words.h"
#include "strength_words.h"
#include "point_files.h"
#include "report_words.h"
#include "whole_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace korvane {

ResultCommands::ResultCommands(const FigureCompute& compute, SaveFileDialog& files, MessageSink& messages,
                               QObject* parent)
    : QObject(parent), compute_(compute), files_(files), messages_(messages)
{
}

bool ResultCommands::refused(const std::string& message)
{
    if (compute_.recordsAgree())
        return false;
    messages_.tell(qtText(message));
    return true;
}

namespace {

// the values of the table of a finished figure, as rows; none before a
// compute, or where the figure's own check cannot be formed
std::vector<CopiedValue> figureRows(const FigureCompute& compute)
{
    std::vector<CopiedValue> rows;
    if (!compute.finished())
        return rows;
    try {
        for (const StrengthRow& row : strengthRows(compute.strength(), compute.misclosureScale())) {
            // "—", a value that does not exist, is no number to format
            const bool number = row.value.find_first_of("0123456789") != std::string::npos;
            rows.push_back({qtText(row.item), qtText(row.value), qtText(row.unit), !row.value.empty() && !number});
        }
    } catch (const AdjustmentError&) {
        rows.clear();
    }
    return rows;
}

} // namespace

void ResultCommands::copyAll()
{
    if (refused(copyRefusedMessage()))
        return;
    // before any compute the records hold zeros, which copy as they print,
    // and the check line is empty
    putOnClipboard(copiedValues(compute_.entered().value_or(Observations{}), compute_.result(),
                                qtText(checkLineText(compute_).text), compute_.identity(), figureRows(compute_)));
}

void ResultCommands::exportPoints()
{
    if (refused(exportRefusedMessage()))
        return;
    const QString folder = folder_.isEmpty() ? documentsFolder() : folder_;
    const std::optional<QString> path =
        files_.askSavePath(QStringLiteral("导出坐标"), QStringLiteral("CASS 坐标文件 (*.dat);;CSV 文件 (*.csv)"),
                           stampedPath(folder, QDateTime::currentDateTime(), QStringLiteral(".dat")));
    if (!path || path->isEmpty())
        return;
    folder_ = QFileInfo(*path).absolutePath();
    const bool spreadsheet = path->endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const Observations& points = compute_.observations();
    const PointNames& names = compute_.identity().points;
    try {
        writeWholeFile(QFile::encodeName(*path).toStdString(),
                       spreadsheet ? files::csvPointsText(points, compute_.result(), names)
                                   : files::cassPointsText(points, compute_.result(), names));
    } catch (const FileError& error) {
        messages_.tell(qtText(fileFailureMessage("坐标没有导出到文件", error)));
    }
}

} // namespace korvane
