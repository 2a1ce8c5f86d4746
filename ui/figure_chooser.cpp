#include "figure_chooser.h"

#include "shown_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

namespace korvane {

QString figureChoiceText(const FigureChoice& figure)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, figure.line).ptr;
    const QString line = QStringLiteral("第 %1 行").arg(QString::fromLatin1(digits, end - digits));
    if (figure.fault.isEmpty())
        return line + QStringLiteral("  ") + figure.name;
    return (figure.name.isEmpty() ? line : line + QStringLiteral("  ") + figure.name) + u'：' + figure.fault;
}

std::optional<std::size_t> QtFigureChooser::choose(const QString& file, const std::vector<FigureChoice>& figures)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("选择图形"));
    auto* layout = new QVBoxLayout(&dialog);
    const auto faults = std::count_if(figures.begin(), figures.end(),
                                      [](const FigureChoice& figure) { return !figure.fault.isEmpty(); });
    const QString name = QString::fromStdString(escapedControls(QFileInfo(file).fileName().toStdString()));
    const auto computable = static_cast<qsizetype>(figures.size()) - faults;
    const QString about = faults == 0 ? QStringLiteral("观测文件“%1”中有 %2 个图形，请选择要计算的一个：")
                                            .arg(name)
                                            .arg(computable)
                                      : QStringLiteral("观测文件“%1”中有 %2 个图形，另有 %3 行有错（灰色，不能计算），"
                                                       "请选择要计算的一个：")
                                            .arg(name)
                                            .arg(computable)
                                            .arg(faults);
    auto* aboutLabel = new QLabel(about, &dialog);
    // the file's name is someone else's: shown as written, never as markup
    aboutLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(aboutLabel);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("figures"));
    // ten thousand rows lay out at once when all are of one height
    list->setUniformItemSizes(true);
    int first = -1;
    for (const FigureChoice& figure : figures) {
        auto* item = new QListWidgetItem(figureChoiceText(figure), list);
        if (!figure.fault.isEmpty()) {
            // shown in grey, and neither selected nor taken by Enter
            item->setFlags(Qt::NoItemFlags);
            item->setToolTip(figure.fault);
        } else if (first < 0) {
            first = list->count() - 1;
        }
    }
    list->setCurrentRow(first);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(first >= 0);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("计算"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    dialog.resize(420, 360);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0
        || !figures[static_cast<std::size_t>(list->currentRow())].fault.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(list->currentRow());
}

} // namespace korvane
