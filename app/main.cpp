#include "form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // dialogs without a title of their own show the program's name
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvane"));

    korvane::Form1 form;
    form.show();
    return app.exec();
}
