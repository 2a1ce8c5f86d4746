#include "check_text.h"

#include "exact_text.h"
#include "number_text.h"

namespace korvane {

std::string accuracyText(DistanceAccuracy accuracy)
{
    return typedText(accuracy.constantMm) + " mm + " + typedText(accuracy.ppm) + " ppm";
}

std::string verdictText(const MisclosureCheck& check)
{
    return check.withinLimit ? "合格" : "超限";
}

std::string misclosureCheckLine(const MisclosureCheck& check, DistanceAccuracy accuracy)
{
    std::string line = "闭合差检核：w = " + fixedText(check.w, 2, 2) + "秒，限差 ±" + fixedText(check.limit, 2, 2)
                       + "秒（测距精度 " + accuracyText(accuracy) + "），" + verdictText(check);
    if (!check.withinLimit)
        line += "：只有一个多余观测，无法判断哪条边有粗差，请检查输入或重测";
    return line;
}

std::string unfinishedCheckLine()
{
    return "闭合差检核：本次计算未完成";
}

std::string sidesText(SideOfLine sideOfB, SideOfLine sideOfD)
{
    const auto where = [](SideOfLine side) -> std::string {
        switch (side) {
        case SideOfLine::Left: return "左侧";
        case SideOfLine::Right: return "右侧";
        case SideOfLine::OnTheLine: break;
        }
        return "连线上";
    };
    return "B 在 A→C 的" + where(sideOfB) + "，D 在" + where(sideOfD);
}

} // namespace korvane
