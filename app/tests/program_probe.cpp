// The program test's eyes and hands inside the real korvane: a style that Qt
// loads when QT_STYLE_OVERRIDE names it (from QT_PLUGIN_PATH). It draws as
// Fusion. Once the program waits for the surveyor it computes a rhombus
// through the program's own dialogs, typing each value and pressing Enter,
// opens the menu of a field as a right click does, presses F1 for the
// guide, and ends the program with the window's end button; on standard
// output it tells what it saw.

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QStylePlugin>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>

namespace {

void tell(const QString& line)
{
    std::fputs((line + '\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// the button as the surveyor finds it, by its caption
void click(QWidget* form, const QString& caption)
{
    for (QPushButton* button : form->findChildren<QPushButton*>())
        if (button->text() == caption) {
            tell(QStringLiteral("click: ") + caption);
            QTest::mouseClick(button, Qt::LeftButton);
        }
}

void probe()
{
    // the form, in the window that scrolls it where the screen is small
    QWidget* form = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (window->objectName() == QStringLiteral("Form1"))
            form = window;
        else if (auto* inside = window->findChild<QWidget*>(QStringLiteral("Form1")))
            form = inside;
    }
    if (!form) {
        tell(QStringLiteral("no window shown"));
        QCoreApplication::exit(3);
        return;
    }
    tell(QStringLiteral("window: ") + form->window()->windowTitle());

    // 500 m sides on a base of 600 m, each value confirmed with Enter
    QStringList replies;
    for (const char* value : {"1000", "1000", "1000", "1600", "500", "500", "500", "500", "800"})
        replies << QString::fromLatin1(value) << QString();
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&replies] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!dialog || replies.isEmpty())
            return;
        tell(QStringLiteral("prompt: ") + dialog->labelText());
        auto* field = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(field, replies.takeFirst());
        QTest::keyClick(field, Qt::Key_Return);
    });
    typist.start(0);
    click(form, QStringLiteral("平差计算"));
    typist.stop();
    for (const char* name : {"Text7", "Text17", "Text12", "Text15", "Text16"})
        tell(QString::fromLatin1(name) + ':' + form->findChild<QLineEdit*>(QString::fromLatin1(name))->text());

    // Qt's own words: the menu that a right click on the first field opens
    auto* field = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
    const QPoint centre = field->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, centre, field->mapToGlobal(centre));
    QApplication::sendEvent(field, &rightClick);
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                tell(QStringLiteral("menu: ") + action->text().section('\t', 0, 0));
        menu->close();
    }

    // the guide, where F1 finds it from the program's own folder; a message
    // that it is missing is told and closed
    form->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(form->window()))
        tell(QStringLiteral("window not active"));
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            tell(QStringLiteral("message: ") + box->text());
            box->close();
        }
    });
    reader.start(0);
    QTest::keyClick(form, Qt::Key_F1);
    reader.stop();
    if (auto* guide = form->findChild<QTextBrowser*>(); guide && guide->isVisible())
        tell(QStringLiteral("guide: %1: %2").arg(guide->windowTitle(), guide->document()->firstBlock().text()));

    click(form, QStringLiteral("结束计算"));
}

class ProgramProbe final : public QStylePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "program_probe.json")

public:
    QStyle* create(const QString&) override
    {
        QTimer::singleShot(0, qApp, &probe);
        return QStyleFactory::create(QStringLiteral("Fusion"));
    }
};

} // namespace

#include "program_probe.moc"
