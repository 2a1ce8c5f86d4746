#include "point_export.h"

#include "fault_message.h"
#include "message_sink.h"
#include "proposed_path.h"
#include "save_file_dialog.h"

#include "point_files.h"
#include "whole_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace korvane {

void PointExport::run(SaveFileDialog& files, MessageSink& messages, const Observations& observations,
                      const AdjustmentResult& result)
{
    const QString folder = folder_.isEmpty() ? documentsFolder() : folder_;
    const std::optional<QString> path =
        files.askSavePath(QStringLiteral("导出坐标"), QStringLiteral("CASS 坐标文件 (*.dat);;CSV 文件 (*.csv)"),
                          stampedPath(folder, QDateTime::currentDateTime(), QStringLiteral(".dat")));
    if (!path || path->isEmpty())
        return;
    folder_ = QFileInfo(*path).absolutePath();
    const bool spreadsheet = path->endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    try {
        writeWholeFile(QFile::encodeName(*path).toStdString(),
                       spreadsheet ? files::csvPointsText(observations, result)
                                   : files::cassPointsText(observations, result));
    } catch (const FileError& error) {
        messages.tell(fileFailureMessage(QStringLiteral("坐标没有导出到文件"), error));
    }
}

} // namespace korvane
