#include "guide_window.h"

#include "layout_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace korvane {

namespace {

// pixels: a page of text at a time, never larger than the screen, with a
// margin round it as on paper
constexpr QSize wantedSize(760, 680);
constexpr int pageMargin = 12;

constexpr layout::ControlFont guideFont{layout::songFamily, 11, false};

// At Qt's single spacing the Song face's lines of Chinese nearly touch.
constexpr qreal lineSpacingPercent = 135;

bool holdsPicture(const QTextBlock& block)
{
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (fragment.fragment().charFormat().isImageFormat())
            return true;
    }
    return false;
}

// Text lines spaced for reading; a picture's line keeps its own height,
// which a proportional spacing would stretch by a third.
void spaceTextLines(QTextDocument& document)
{
    QTextBlockFormat spaced;
    spaced.setLineHeight(lineSpacingPercent, QTextBlockFormat::ProportionalHeight);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (holdsPicture(block))
            continue;
        QTextCursor(block).mergeBlockFormat(spaced);
    }
}

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
    connect(this, &QTextBrowser::sourceChanged, this, [this] { spaceTextLines(*document()); });
    // a relative picture or link is looked for beside the file
    setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    resize(wantedSize.boundedTo(screen()->availableGeometry().size()));
}

} // namespace korvane
