#pragma once

// Where a file Korvane writes is first proposed: Korvane-YYYYMMDD-HHMMSS
// with the file's suffix, in the user's documents folder (the home folder
// when there is none), or in the folder the surveyor chose last time.

class QDateTime;
class QString;

namespace korvane {

QString documentsFolder();

// `folder`/Korvane-YYYYMMDD-HHMMSS`suffix`, stamped with `now`
QString stampedPath(const QString& folder, const QDateTime& now, const QString& suffix);

} // namespace korvane
