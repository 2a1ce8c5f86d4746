#include "adjustment_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

// Each fault of the computation becomes a sentence in the surveyor's terms:
// the triangle, the side or the point, never a name from inside the program.
TEST(FaultMessage, NamesTheFaultInTheSurveyorsTerms)
{
    struct Case {
        const char* name;
        AdjustmentError error;
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"sides of A-B-C form no triangle",
         AdjustmentError(Stage::Adjustment, Fault::NoTriangle, "angleABC", Triangle::ABC),
         {"三角形 A-B-C 的三条边 S1、S2、S3 不能构成三角形，请检查观测边长。"}},
        {"sides of A-C-D form no triangle",
         AdjustmentError(Stage::Adjustment, Fault::NoTriangle, "angleCAD", Triangle::ACD),
         {"三角形 A-C-D", "S3、S4、S5"}},
        {"adjusted sides form no triangle",
         AdjustmentError(Stage::PointB, Fault::NoTriangle, "angleBAC", Triangle::ABC),
         {"平差后", "三角形 A-B-C"}},
        {"A and C coincide",
         AdjustmentError(Stage::Adjustment, Fault::CoincidentControlPoints, "S3", Triangle::ABC),
         {"A 和 C 的坐标相同", "S3"}},
        {"side zero or negative",
         AdjustmentError(Stage::Adjustment, Fault::NonPositiveSide, "S2", Triangle::ABC),
         {"S2", "零或负数", "A-B-C"}},
        {"flat triangle", AdjustmentError(Stage::Adjustment, Fault::FlatTriangle, "a4", Triangle::ACD),
         {"A-C-D", "一条直线"}},
        {"flat triangle as adjusted", AdjustmentError(Stage::PointD, Fault::FlatTriangle, "angleACD", Triangle::ACD),
         {"平差后，三角形 A-C-D 的三个顶点在一条直线上"}},
        {"side beyond single precision at entry", AdjustmentError(Stage::Entry, Fault::Overflow, "S4"),
         {"S4", "单精度"}},
        {"overflow in the computation", AdjustmentError(Stage::PointD, Fault::Overflow, "yp2"),
         {"待定点 D", "yp2", "溢出"}},
        {"negative 1/py of D", AdjustmentError(Stage::PrecisionD, Fault::NegativeWeightReciprocal, "1/py"),
         {"待定点 D", "横座标权倒数 1/py", "负数"}},
        {"negative 1/px of B", AdjustmentError(Stage::PrecisionB, Fault::NegativeWeightReciprocal, "1/px"),
         {"待定点 B", "纵座标权倒数 1/px"}},
        {"division by zero", AdjustmentError(Stage::Adjustment, Fault::DivisionByZero, "K"),
         {"条件平差", "K", "除数为零"}},
        {"invalid operation", AdjustmentError(Stage::KnownSide, Fault::InvalidOperation, "azimuthAC"),
         {"已知边长 S3", "azimuthAC", "无效运算"}},
        {"a figure's own mean height the reduction cannot use",
         AdjustmentError(Stage::Adjustment, Fault::InvalidOperation, "H_m"),
         {"观测文件中本图形的平均高程超出了 -10000 到 10000 米的范围，不能用来把边长归算到投影面",
          "请检查观测文件的“平均高程”列"}},
        {"a Y constant that does not fit the Y of the points",
         AdjustmentError(Stage::Adjustment, Fault::InvalidOperation, "y_m"),
         {"离中央子午线超过 400 公里", "请检查“边长归算”中的 Y 坐标加常数", "38500000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = faultMessage(c.error);
        for (const std::string& part : c.mentions)
            EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
        for (const char* internal : {"angle", "Stage", "Fault", "NoTriangle", "s4"})
            EXPECT_EQ(message.find(internal), std::string::npos) << message;
    }
}

} // namespace
} // namespace korvane
