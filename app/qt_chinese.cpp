#include "qt_chinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace korvane {

QtChineseWords::QtChineseWords()
{
    if (translator_.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator_);
}

} // namespace korvane
