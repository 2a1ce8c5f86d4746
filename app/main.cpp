#include "command_line.h"
#include "form1.h"
#include "form_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    // --batch, --help and --version run without a window, and without a display
    if (const std::optional<int> status = korvane::runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    // dialogs without a title of their own show the program's name
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvane"));
    // Qt's own words in its dialogs (the file dialog, the print preview) in
    // Chinese like every other text, whatever the desktop's language; without
    // the translations installed they stay in English
    QTranslator qtWords;
    if (qtWords.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtWords);

    // The window is shown before the form is built: the form's controls load
    // the fonts, most of the start-up's work, while the window maps.
    korvane::FormWindow window;
    window.show();
    window.setForm(new korvane::Form1);
    return app.exec();
}
