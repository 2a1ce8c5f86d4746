#include "proposed_path.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace korvane {

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        return QDir::homePath();
    return folder;
}

QString stampedPath(const QString& folder, const QDateTime& now, const QString& suffix)
{
    // toString with a pattern writes ASCII digits whatever the locale
    return folder + QStringLiteral("/Korvane-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss")) + suffix;
}

} // namespace korvane
