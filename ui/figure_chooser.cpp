#include "figure_chooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>

namespace korvane {

QString figureChoiceText(const FigureChoice& figure)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, figure.line).ptr;
    return QStringLiteral("第 %1 行  %2").arg(QString::fromLatin1(digits, end - digits), figure.name);
}

std::optional<std::size_t> QtFigureChooser::choose(const QString& file, const std::vector<FigureChoice>& figures)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("选择图形"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("观测文件“%1”中有 %2 个图形，请选择要计算的一个：")
                                     .arg(QFileInfo(file).fileName())
                                     .arg(figures.size()),
                                 &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("figures"));
    // ten thousand rows lay out at once when all are of one height
    list->setUniformItemSizes(true);
    for (const FigureChoice& figure : figures)
        list->addItem(figureChoiceText(figure));
    list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("计算"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    dialog.resize(420, 360);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return static_cast<std::size_t>(list->currentRow());
}

} // namespace korvane
