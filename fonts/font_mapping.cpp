#include "font_mapping.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QString>
#include <QStringList>

namespace korvane {

void mapLayoutFonts()
{
    static const bool mapped = [] {
        // Song (Ming) serif faces first, as the layout's texts were drawn in
        // one; the sans CJK faces only as a last resort against boxes.
        QFont::insertSubstitutions(QStringLiteral("宋体"),
                                   {QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                    QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"),
                                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                                    QStringLiteral("Droid Sans Fallback")});
        // MS Sans Serif is narrow: the Helvetica-width faces keep the short
        // captions (" Xa", "[ Xpb.Ypb ]") inside their boxes; DejaVu Sans is
        // wider and only the fallback.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                    QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)mapped;
}

QString installedStandIn(const QString& family)
{
    mapLayoutFonts();
    static QHash<QString, QString> found;
    const auto known = found.constFind(family);
    if (known != found.constEnd())
        return *known;
    QString standIn = family;
    for (const QString& candidate : QStringList{family} + QFont::substitutes(family)) {
        if (QFontDatabase::hasFamily(candidate)) {
            standIn = candidate;
            break;
        }
    }
    found.insert(family, standIn);
    return standIn;
}

} // namespace korvane
