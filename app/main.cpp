#include "command_line.h"
#include "form1.h"
#include "qt_chinese.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // what the command line answers by itself needs no display
    if (const std::optional<int> exitCode = korvane::answerCommandLine(argc, argv, korvane::QtOptions::NotYetTaken))
        return *exitCode;

    QApplication app(argc, argv);
    // dialogs without a title of their own show the program's name
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvane"));
    const korvane::QtChineseWords qtWords;
    if (const std::optional<int> exitCode = korvane::answerCommandLine(argc, argv, korvane::QtOptions::Taken))
        return *exitCode;

    korvane::Form1 form;
    form.show();
    return app.exec();
}
