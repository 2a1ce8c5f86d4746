#include "compute_menu.h"

namespace korvane {

QString computeButtonToolTip()
{
    return QStringLiteral("左键平差计算；右键可打开或保存观测文件、设置测距精度或打开网图与检核");
}

QString figureWindowCaption()
{
    return QStringLiteral("网图与检核…");
}

QString openObservationsCaption()
{
    return QStringLiteral("打开观测文件…");
}

QString saveObservationsCaption()
{
    return QStringLiteral("保存观测文件…");
}

QKeySequence openObservationsKey()
{
    return QKeySequence::Open;
}

QKeySequence saveObservationsKey()
{
    return QKeySequence::Save;
}

} // namespace korvane
