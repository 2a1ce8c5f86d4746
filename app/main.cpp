#include "command_line.h"
#include "form1.h"
#include "fontconfig_warm_up.h"
#include "form_window.h"
#include "qt_chinese.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --batch, --help and --version run without a window, and without a display
    if (const std::optional<int> status = korvane::runCommandLine(argc, argv))
        return *status;

    // fontconfig reads its files on a second core while Qt connects to the
    // display and loads its plugins
    korvane::FontconfigWarmUp fontconfig;
    QApplication app(argc, argv);
    // what is left once Qt has taken its own options is a mistake
    if (const std::optional<int> status = korvane::refuseLeftoverArguments(argc, argv)) {
        fontconfig.release();
        return *status;
    }
    // Dialogs without a title of their own show the program's name. Only the
    // name, not a display name: Qt would append a display name to every
    // title, and the window of a named figure would read
    // "Korvane — 一号锁 — Korvane".
    QCoreApplication::setApplicationName(QStringLiteral("Korvane"));
    const korvane::QtChineseWords qtWords;
    fontconfig.wait();

    // The form is built before the window maps, so that the window's first
    // picture is its whole picture: the form's controls load the fonts, most
    // of the start-up's work, while nothing is on the screen yet.
    korvane::FormWindow window;
    window.setForm(new korvane::Form1);
    window.show();
    return app.exec();
}
