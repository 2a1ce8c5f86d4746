#include "qt_dialogs.h"

#include "dialog_placement.h"
#include "layout.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>

namespace korvane {

namespace {

QRect onScreen(const QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Moves `dialog` beside the field named `about` among the children of
// `parent`, and its caption, scrolling the window to show them first.
void placeBeside(QDialog& dialog, const QWidget* parent, const char* about)
{
    const layout::Control* control = about ? layout::find(about) : nullptr;
    QWidget* field = parent && control ? parent->findChild<QWidget*>(QString::fromLatin1(about)) : nullptr;
    if (!field)
        return;
    const QWidget* caption =
        control->captionLabel ? parent->findChild<QWidget*>(QString::fromLatin1(control->captionLabel)) : nullptr;
    for (QWidget* outer = field->parentWidget(); outer; outer = outer->parentWidget()) {
        if (auto* scrolling = qobject_cast<QScrollArea*>(outer)) {
            // the whole of both, where ensureWidgetVisible() would show only
            // the text cursor of a field
            const QWidget* form = scrolling->widget();
            QRect shown(field->mapTo(form, QPoint(0, 0)), field->size());
            if (caption)
                shown |= QRect(caption->mapTo(form, QPoint(0, 0)), caption->size());
            scrolling->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + 1,
                                     shown.height() / 2 + 1);
            break;
        }
    }

    // The window manager frames the dialog only once it is shown; its frame
    // is taken to be that of the main window, which it has already framed.
    const QWindow* window = field->window()->windowHandle();
    dialog.adjustSize();
    const QSize frame = dialog.size().grownBy(window ? window->frameMargins() : QMargins());
    // a widget's move() places a window's frame
    dialog.move(dialogPosition(frame, onScreen(field), caption ? onScreen(caption) : QRect(),
                               field->screen()->availableGeometry()));
}

// The reason a text was refused, in a line of its own between the field and
// the buttons: the prompt above keeps its own words.
void addRefusalLine(QInputDialog& dialog, const QString& refusal)
{
    auto* line = new QLabel(refusal, &dialog);
    line->setObjectName(QStringLiteral("refusal"));
    line->setTextFormat(Qt::PlainText);
    // QInputDialog lays out its label, field and buttons only once sized
    dialog.adjustSize();
    auto* column = qobject_cast<QBoxLayout*>(dialog.layout());
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (column && buttons)
        column->insertWidget(column->indexOf(buttons), line);
}

} // namespace

std::optional<QString> QtInputDialog::ask(const QString& prompt, const QString& offered, const char* about,
                                          const QString& refusal)
{
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    if (!refusal.isEmpty())
        addRefusalLine(dialog, refusal);
    // QInputDialog selects the whole text as it shows, so the first key
    // typed replaces the offered value (the dialog test checks it)
    dialog.setTextValue(offered);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    placeBeside(dialog, parent_, about);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

namespace {

// A message may quote a file's name or a figure's: "<b>" in one is shown as
// written, never taken for markup.
void shownAsWritten(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
}

} // namespace

void QtMessageSink::tell(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvane"), text, QMessageBox::Ok, parent_);
    shownAsWritten(box);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtMessageSink::offer(const QString& text, const QString& action)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvane"), text, QMessageBox::NoButton, parent_);
    shownAsWritten(box);
    QPushButton* onward = box.addButton(action, QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(onward);
    box.exec();
    return box.clickedButton() == onward;
}

} // namespace korvane
