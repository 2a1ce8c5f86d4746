#include "guide_window.h"

#include "layout_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QUrl>

namespace korvane {

namespace {

// pixels: a page of text at a time, never larger than the screen, with a
// margin round it as on paper
constexpr QSize wantedSize(760, 680);
constexpr int pageMargin = 12;

constexpr layout::ControlFont guideFont{layout::songFamily, 11, false};

} // namespace

QString guideBesideProgram()
{
    const QString besideProgram = QString::fromUtf8(KORVANE_GUIDE_FROM_PROGRAM "/使用说明.md");
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(besideProgram));
}

GuideWindow::GuideWindow(const QString& path, QWidget* parent) : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("GuideWindow"));
    setWindowTitle(QStringLiteral("使用说明"));
    setFont(layout::qtFont(guideFont));
    setOpenExternalLinks(true);
    document()->setDocumentMargin(pageMargin);
    // a relative picture or link is looked for beside the file
    setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    resize(wantedSize.boundedTo(screen()->availableGeometry().size()));
}

} // namespace korvane
