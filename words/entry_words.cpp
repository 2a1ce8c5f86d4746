#include "entry_words.h"

namespace korvane {

std::string refusalLine(NumberRefusal why)
{
    switch (why) {
    case NumberRefusal::WithUnit:
        return "含有单位：请只输入数字，单位为米";
    case NumberRefusal::DecimalComma:
        return "小数点用逗号：请改用“.”";
    case NumberRefusal::ThousandsComma:
        // 1,234 may be 1234 or 1.234: the surveyor knows which
        return "含有逗号：小数点请用“.”，数字不分节";
    case NumberRefusal::OutOfRange:
        return "数值超出范围";
    case NumberRefusal::NotANumber:
        break;
    }
    return "不是数字";
}

} // namespace korvane
