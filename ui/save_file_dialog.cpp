#include "save_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

namespace korvane {

namespace {

// ".pdf" and ".dat" of "PDF 文件 (*.pdf)" and "CASS 坐标文件 (*.dat)"
QStringList suffixesOf(const QString& filter)
{
    QStringList suffixes;
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[^ )]+)"));
    for (QRegularExpressionMatchIterator it = pattern.globalMatch(filter); it.hasNext();)
        suffixes << it.next().captured(1);
    return suffixes;
}

class SuffixFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        // "测区 12.3" has a suffix to Qt's default-suffix rule and would be
        // saved without ".pdf". The suffix goes into the name field as typed
        // (perhaps with a folder), which selectFile() leaves alone while it
        // has the focus.
        const QStringList chosen = selectedFiles();
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name && chosen.size() == 1 && !QFileInfo(chosen.front()).isDir())
            name->setText(withFilterSuffix(name->text(), selectedNameFilter(), nameFilters()));
        QFileDialog::accept();
    }
};

} // namespace

QString withPdfSuffix(const QString& path)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".pdf");
}

QString withFilterSuffix(const QString& path, const QString& chosenFilter, const QStringList& filters)
{
    for (const QString& filter : filters)
        for (const QString& suffix : suffixesOf(filter))
            if (path.endsWith(suffix, Qt::CaseInsensitive))
                return path;
    const QStringList chosen = suffixesOf(chosenFilter);
    return chosen.isEmpty() ? path : path + chosen.front();
}

std::optional<QString> QtSaveFileDialog::askSavePath(const QString& title, const QString& filter,
                                                     const QString& proposedPath)
{
    SuffixFileDialog dialog(parent_, title);
    // Qt's own dialog: a desktop's native one speaks the desktop's language
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    const QFileInfo proposed(proposedPath);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存在："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace korvane
