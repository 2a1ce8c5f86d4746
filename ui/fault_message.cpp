#include "fault_message.h"

#include <QDir>
#include <QFile>

#include <charconv>

namespace korvane {

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString triangleSides(Triangle triangle)
{
    switch (triangle) {
    case Triangle::ABC: return QStringLiteral("S1、S2、S3");
    case Triangle::ACD: return QStringLiteral("S3、S4、S5");
    case Triangle::ABD: return QStringLiteral("S1、S5、S6");
    case Triangle::None: break;
    }
    return {};
}

QString stageName(Stage stage)
{
    switch (stage) {
    case Stage::Entry: return QStringLiteral("数据输入");
    case Stage::KnownSide: return QStringLiteral("推算已知边长 S3 及方位角");
    case Stage::Adjustment: return QStringLiteral("条件平差");
    case Stage::PointB: return QStringLiteral("计算待定点 B 的坐标");
    case Stage::PointD: return QStringLiteral("计算待定点 D 的坐标");
    case Stage::PrecisionB: return QStringLiteral("评定待定点 B 的精度");
    case Stage::PrecisionD: return QStringLiteral("评定待定点 D 的精度");
    case Stage::Check: return QStringLiteral("检核图形");
    }
    return {};
}

// The coordinates are placed with the adjusted sides; a triangle that breaks
// there was sound as measured and broke through the corrections.
bool usesAdjustedSides(Stage stage)
{
    return stage == Stage::PointB || stage == Stage::PointD;
}

QString pointOf(Stage stage)
{
    return stage == Stage::PrecisionD || stage == Stage::PointD ? QStringLiteral("D") : QStringLiteral("B");
}

} // namespace

QString faultMessage(const AdjustmentError& error)
{
    const QString quantity = QString::fromStdString(error.quantity());
    const QString triangle = QString::fromUtf8(toString(error.triangle()));
    const QString adjusted = usesAdjustedSides(error.stage()) ? u("平差后，") : QString();

    switch (error.fault()) {
    case Fault::CoincidentControlPoints:
        return u("已知点 A 和 C 的坐标相同，已知边长 S3 为零，无法进行平差计算。请检查已知点坐标。");
    case Fault::NonPositiveSide:
        if (triangle.isEmpty())
            return adjusted + u("边长 %1 为零或负数，无法进行平差计算。请检查观测边长。").arg(quantity);
        return adjusted + u("三角形 %1 的边长 %2 为零或负数，不能构成三角形，请检查观测边长。").arg(triangle, quantity);
    case Fault::NoTriangle:
        return adjusted + u("三角形 %1 的三条边 %2 不能构成三角形，请检查观测边长。")
                              .arg(triangle, triangleSides(error.triangle()));
    case Fault::FlatTriangle:
        return adjusted + u("三角形 %1 的三个顶点在一条直线上，三角形的高为零，无法进行平差计算。请检查观测边长。")
                              .arg(triangle);
    case Fault::NegativeWeightReciprocal: {
        const QString axis = quantity == QStringLiteral("1/py") ? u("横座标") : u("纵座标");
        return u("待定点 %1 的%2权倒数 %3 为负数，无法求出中误差。请检查观测边长。")
            .arg(pointOf(error.stage()), axis, quantity);
    }
    case Fault::Overflow:
        if (error.stage() == Stage::Entry)
            return u("观测边长 %1 的数值太大，超出了单精度数的范围。请检查观测边长。").arg(quantity);
        return u("%1时，%2 的数值超出了计算机数值的范围（溢出），计算中止。请检查输入数据。")
            .arg(stageName(error.stage()), quantity);
    case Fault::DivisionByZero:
        return u("%1时，计算 %2 遇到除数为零，计算中止。请检查输入数据。").arg(stageName(error.stage()), quantity);
    case Fault::InvalidOperation:
        return u("%1时，%2 无法计算（无效运算），计算中止。请检查输入数据。").arg(stageName(error.stage()), quantity);
    }
    return u("%1时出错，计算中止。请检查输入数据。").arg(stageName(error.stage()));
}

QString printRefusedMessage()
{
    return u("上次平差计算没有完成，记录中的数值不一致。请重新进行平差计算后再打印。");
}

QString printFailureMessage(PrintError::Reason reason)
{
    switch (reason) {
    case PrintError::Reason::NoDefaultPrinter:
        return u("没有默认打印机，无法打印。请在系统中设置默认打印机后再打印。");
    case PrintError::Reason::PrinterFailed:
        break;
    }
    return u("打印失败：打印机没有完成打印任务。请检查打印机后再打印。");
}

QString pdfFailureMessage(const FileError& error)
{
    return fileFailureMessage(u("报告没有保存为 PDF 文件"), error);
}

QString fileFailureMessage(const QString& notWritten, const FileError& error)
{
    QString reason;
    QString advice;
    switch (error.reason()) {
    case FileError::Reason::FolderNotWritable:
        reason = u("不能在这个文件夹中写入文件（没有写入权限，或磁盘是只读的）");
        advice = u("请选择另一个文件夹后再保存。");
        break;
    case FileError::Reason::FolderMissing:
        reason = u("这个文件夹不存在");
        advice = u("请选择另一个文件夹后再保存。");
        break;
    case FileError::Reason::DiskFull:
        reason = u("磁盘已满");
        advice = u("请清理磁盘或选择另一个磁盘后再保存。");
        break;
    case FileError::Reason::NotAFileName:
        reason = u("这个名字不能用作文件名（太长、含有磁盘不允许的字符，或是一个文件夹的名字）");
        advice = u("请换一个文件名后再保存。");
        break;
    case FileError::Reason::WriteFailed:
        reason = u("写入磁盘时出错");
        if (error.systemError() != 0) {
            char digits[16];
            const auto end = std::to_chars(digits, digits + sizeof digits, error.systemError()).ptr;
            reason += u("（系统错误代码 %1）").arg(QString::fromLatin1(digits, end - digits));
        }
        advice = u("请检查磁盘后再保存。");
        break;
    }
    const QString path = QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(error.path())));
    return u("%1“%2”：%3。%4").arg(notWritten, path, reason, advice);
}

} // namespace korvane
