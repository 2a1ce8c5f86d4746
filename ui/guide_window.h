#pragma once

// The surveyor's guide in Chinese, 使用说明 (docs/使用说明.md), that F1 opens
// from the main window: the Markdown rendered read-only in a window of its
// own, its pictures found beside the file, its links to the web opened in
// the browser.

#include <QString>
#include <QTextBrowser>

namespace korvane {

// Where the guide lies beside the program: installed, under share/ beside
// bin/; in the build folder, a link to the sources' docs/ in the same place.
QString guideBesideProgram();

class GuideWindow final : public QTextBrowser {
public:
    // shows the guide at `path`, a file that can be read
    GuideWindow(const QString& path, QWidget* parent);
};

} // namespace korvane
