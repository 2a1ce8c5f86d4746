#include "qt_dialogs.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace korvane {

std::optional<QString> QtInputDialog::ask(const QString& prompt, const QString& offered)
{
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    // QInputDialog selects the whole text as it shows, so the first key
    // typed replaces the offered value (the dialog test checks it)
    dialog.setTextValue(offered);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtMessageSink::tell(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvane"), text, QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtMessageSink::offer(const QString& text, const QString& action)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvane"), text, QMessageBox::NoButton, parent_);
    QPushButton* onward = box.addButton(action, QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(onward);
    box.exec();
    return box.clickedButton() == onward;
}

} // namespace korvane
