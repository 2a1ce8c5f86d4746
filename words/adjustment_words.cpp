#include "adjustment_words.h"

#include "distance_reduction.h"
#include "exact_text.h"

namespace korvane {

namespace {

std::string triangleSides(Triangle triangle)
{
    switch (triangle) {
    case Triangle::ABC: return "S1、S2、S3";
    case Triangle::ACD: return "S3、S4、S5";
    case Triangle::ABD: return "S1、S5、S6";
    case Triangle::None: break;
    }
    return {};
}

std::string stageName(Stage stage)
{
    switch (stage) {
    case Stage::Entry: return "数据输入";
    case Stage::KnownSide: return "推算已知边长 S3 及方位角";
    case Stage::Adjustment: return "条件平差";
    case Stage::PointB: return "计算待定点 B 的坐标";
    case Stage::PointD: return "计算待定点 D 的坐标";
    case Stage::PrecisionB: return "评定待定点 B 的精度";
    case Stage::PrecisionD: return "评定待定点 D 的精度";
    case Stage::Check: return "检核图形";
    }
    return {};
}

// The coordinates are placed with the adjusted sides; a triangle that breaks
// there was sound as measured and broke through the corrections.
bool usesAdjustedSides(Stage stage)
{
    return stage == Stage::PointB || stage == Stage::PointD;
}

std::string pointOf(Stage stage)
{
    return stage == Stage::PrecisionD || stage == Stage::PointD ? "D" : "B";
}

} // namespace

std::string faultMessage(const AdjustmentError& error)
{
    const std::string& quantity = error.quantity();
    const std::string triangle = toString(error.triangle());
    const std::string adjusted = usesAdjustedSides(error.stage()) ? "平差后，" : "";

    switch (error.fault()) {
    case Fault::CoincidentControlPoints:
        return "已知点 A 和 C 的坐标相同，已知边长 S3 为零，无法进行平差计算。请检查已知点坐标。";
    case Fault::NonPositiveSide:
        if (triangle.empty())
            return adjusted + "边长 " + quantity + " 为零或负数，无法进行平差计算。请检查观测边长。";
        return adjusted + "三角形 " + triangle + " 的边长 " + quantity + " 为零或负数，不能构成三角形，请检查观测边长。";
    case Fault::NoTriangle:
        return adjusted + "三角形 " + triangle + " 的三条边 " + triangleSides(error.triangle())
               + " 不能构成三角形，请检查观测边长。";
    case Fault::FlatTriangle:
        return adjusted + "三角形 " + triangle + " 的三个顶点在一条直线上，三角形的高为零，无法进行平差计算。请检查观测边长。";
    case Fault::NegativeWeightReciprocal: {
        const std::string axis = quantity == "1/py" ? "横座标" : "纵座标";
        return "待定点 " + pointOf(error.stage()) + " 的" + axis + "权倒数 " + quantity
               + " 为负数，无法求出中误差。请检查观测边长。";
    }
    case Fault::Overflow:
        if (error.stage() == Stage::Entry)
            return "观测边长 " + quantity + " 的数值太大，超出了单精度数的范围。请检查观测边长。";
        return stageName(error.stage()) + "时，" + quantity + " 的数值超出了计算机数值的范围（溢出），计算中止。请检查输入数据。";
    case Fault::DivisionByZero:
        return stageName(error.stage()) + "时，计算 " + quantity + " 遇到除数为零，计算中止。请检查输入数据。";
    case Fault::InvalidOperation:
        // The setting's own heights were refused when they were named: a
        // height the reduction cannot use is a figure's own, from its file.
        if (quantity == "H_m")
            return "观测文件中本图形的平均高程超出了 " + typedText(-largestHeight) + " 到 " + typedText(largestHeight)
                   + " 米的范围，不能用来把边长归算到投影面，计算中止。请检查观测文件的“平均高程”列。";
        if (quantity == "y_m")
            return "边长归算时，已知点或待定点的横坐标减去 Y 坐标加常数后，离中央子午线超过 "
                   + typedText(largestMeridianDistance / 1000.0)
                   + " 公里，不在任何投影带内，无法进行高斯投影改正，计算中止。请检查“边长归算”中的 Y "
                     "坐标加常数：横坐标前带有带号时，加常数也要带上带号（如 38500000）。";
        return stageName(error.stage()) + "时，" + quantity + " 无法计算（无效运算），计算中止。请检查输入数据。";
    }
    return stageName(error.stage()) + "时出错，计算中止。请检查输入数据。";
}

} // namespace korvane
