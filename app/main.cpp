#include "command_line.h"
#include "form1.h"
#include "form_window.h"
#include "qt_chinese.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --batch, --help and --version run without a window, and without a display
    if (const std::optional<int> status = korvane::runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    // what is left once Qt has taken its own options is a mistake
    if (const std::optional<int> status = korvane::refuseLeftoverArguments(argc, argv))
        return *status;
    // dialogs without a title of their own show the program's name
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvane"));
    const korvane::QtChineseWords qtWords;

    // The window is shown before the form is built: the form's controls load
    // the fonts, most of the start-up's work, while the window maps.
    korvane::FormWindow window;
    window.show();
    window.setForm(new korvane::Form1);
    return app.exec();
}
