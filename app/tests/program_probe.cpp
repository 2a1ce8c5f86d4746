// The program test's eyes and hands inside the real korvane: a style that Qt
// loads when QT_STYLE_OVERRIDE names it (from QT_PLUGIN_PATH). It draws as
// Fusion; once the program waits for the surveyor, it tells on standard
// output what the window shows, opens the menu of a field as a right click
// does, and ends the program with the window's own end button.

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleFactory>
#include <QStylePlugin>
#include <QTimer>

#include <cstdio>

namespace {

void tell(const QString& line)
{
    std::fputs((line + '\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void probe()
{
    QWidget* form = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("Form1") && window->isVisible())
            form = window;
    if (!form) {
        tell(QStringLiteral("no window shown"));
        QCoreApplication::exit(3);
        return;
    }
    tell(QStringLiteral("window: ") + form->windowTitle());

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

    // the end button, found by its caption as the surveyor finds it
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("结束计算")) {
            tell(QStringLiteral("click: ") + button->text());
            button->click();
        }
    }
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
