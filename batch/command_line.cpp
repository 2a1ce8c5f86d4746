#include "command_line.h"

#include "batch_run.h"

#include "exact_text.h"
#include "figure_check.h"
#include "number_reading.h"
#include "reduction_words.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <array>
#include <iostream>
#include <string_view>

#include <unistd.h>

namespace korvane {

namespace {

struct OptionRow {
    QStringList names;
    const char* valueName; // nullptr: a switch
    const char* help;
};

const std::array<OptionRow, 9> optionRows{{
    {{QStringLiteral("batch")}, "FIGURES.csv", "计算观测文件中的全部图形，不打开窗口"},
    {{QStringLiteral("output")}, "RESULTS.csv", "结果文件（默认：观测文件名加“-结果.csv”，在同一文件夹中）"},
    {{QStringLiteral("pdf")}, "REPORTS.pdf", "把每一行的报告按顺序写入一个 PDF 文件（出错的行写明原因）"},
    {{QStringLiteral("points")}, "POINTS.dat",
     "把全部算完且未超限的图形（合格或图形较弱）的点按点名写入一个坐标文件，每个点一次（.dat 为 CASS 格式，.csv 为表格）"},
    {{QStringLiteral("check-page")}, nullptr, "与 --pdf 一起使用：每份报告后附网图与检核页"},
    {{QStringLiteral("accuracy")}, "A,B", "测距精度 A 毫米 + B ppm，用于闭合差检核（默认 2,2）"},
    {{QStringLiteral("reduce")}, "HM,H0[,YCONST]",
     "把观测边长归算到投影面：测区平均高程 HM、投影面高程 H0（米）；给出 Y 坐标加常数 YCONST（如 38500000）时"
     "再加高斯投影改正。观测文件有“平均高程”列时，以该列代替 HM（默认不归算）"},
    {{QStringLiteral("h"), QStringLiteral("help")}, nullptr, "显示本帮助并退出"},
    {{QStringLiteral("v"), QStringLiteral("version")}, nullptr, "显示版本并退出"},
}};

// "-h", "--help"
QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString helpText()
{
    QString text = QStringLiteral(
        "用法：korvane [选项]\n"
        "Korvane：测边菱形（两个已知点、五条观测边）的条件平差计算。不带选项时打开窗口。\n\n"
        "选项：\n");
    for (const OptionRow& row : optionRows) {
        QString names;
        for (const QString& name : row.names)
            names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + dashed(name);
        if (row.valueName)
            names += u' ' + QString::fromUtf8(row.valueName);
        text += QStringLiteral("  %1\n      %2\n").arg(names, QString::fromUtf8(row.help));
    }
    text += QStringLiteral(
        "\n观测文件为 CSV（UTF-8 或 GBK），表头：名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6，每行一个图形。\n"
        "退出状态：0 全部计算完成且合格；1 有图形出错、超限或图形较弱；2 无法运行（文件不存在、选项有误、结果文件不能写入）。\n"
        "例：korvane --batch 测区.csv --pdf 测区报告.pdf --accuracy 3,2\n"
        "    korvane --batch 国家网.csv --reduce 600,0,38500000\n");
    return text;
}

bool asksForCommandLine(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1))
        for (const OptionRow& row : optionRows)
            for (const QString& name : row.names)
                if (argument == dashed(name)
                    || argument.startsWith(QStringLiteral("--") + name + u'='))
                    return true;
    return false;
}

int refuse(const QString& message)
{
    std::cerr << message.toStdString() << "\n用 korvane --help 查看用法。\n";
    return batch::couldNotRun;
}

// "A,B" as the surveyor writes the accuracy, each read as the entry reads a number
std::optional<DistanceAccuracy> readAccuracy(const QString& text, QString& problem)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2) {
        problem = QStringLiteral("--accuracy 应为两个数：固定误差 A（毫米）和比例误差 B（ppm），用逗号隔开，例如 2,2");
        return std::nullopt;
    }
    const std::optional<double> constant = readNumber(parts[0].toStdString());
    const std::optional<double> scale = readNumber(parts[1].toStdString());
    const DistanceAccuracy accuracy{constant.value_or(-1.0), scale.value_or(-1.0)};
    const std::optional<AccuracyProblem> wrong = accuracyProblem(accuracy);
    if (!constant || !scale || wrong) {
        problem = QStringLiteral("--accuracy %1 不能用：固定误差 A 和比例误差 B 都应是 0 到 100 之间的数，且不能都为 0。")
                      .arg(text);
        return std::nullopt;
    }
    return accuracy;
}

// "HM,H0[,YCONST]": the reduction to the projection plane, with the Gauss
// correction when the Y constant is given, each value read and refused as
// the dialog 边长归算… reads and refuses it
std::optional<DistanceReduction> readReductionOption(const QString& text, QString& problem)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2 && parts.size() != 3) {
        problem = QStringLiteral("--reduce 应为两个或三个数：测区平均高程 HM 和投影面高程 H0（米），需要高斯投影改正时"
                                 "再加 Y 坐标加常数，用逗号隔开，例如 600,0,38500000");
        return std::nullopt;
    }
    const bool gauss = parts.size() == 3;
    const ReductionReading reading = readReduction(
        {true, parts[0].toStdString(), parts[1].toStdString(), gauss, gauss ? parts[2].toStdString() : std::string()});
    if (!reading.reduction)
        problem = QStringLiteral("--reduce %1 不能用：").arg(text) + QString::fromStdString(reading.refusal);
    return reading.reduction;
}

} // namespace

std::optional<int> refuseLeftoverArguments(int argc, char* argv[])
{
    if (argc <= 1)
        return std::nullopt;
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (first.startsWith(u'-'))
        return refuse(QStringLiteral("不认识的选项：%1").arg(first.mid(first.startsWith(QStringLiteral("--")) ? 2 : 1)));
    return refuse(QStringLiteral("多余的参数：%1").arg(first));
}

std::optional<int> runCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!asksForCommandLine(arguments))
        return std::nullopt;

    QCommandLineParser parser;
    for (const OptionRow& row : optionRows)
        parser.addOption(row.valueName ? QCommandLineOption(row.names, QString::fromUtf8(row.help),
                                                            QString::fromUtf8(row.valueName))
                                       : QCommandLineOption(row.names, QString::fromUtf8(row.help)));
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return refuse(QStringLiteral("不认识的选项：%1").arg(parser.unknownOptionNames().join(u' ')));
        return refuse(QStringLiteral("选项有误：%1").arg(parser.errorText()));
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::cout << helpText().toStdString();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::cout << "korvane " KORVANE_VERSION "\n";
        return 0;
    }
    if (!parser.isSet(QStringLiteral("batch")))
        return refuse(
            QStringLiteral("--output、--pdf、--points、--check-page、--accuracy 和 --reduce 只能与 --batch 一起使用。"));
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(u' ')));

    batch::Options options;
    options.figures = QFile::encodeName(parser.value(QStringLiteral("batch"))).toStdString();
    options.results = parser.isSet(QStringLiteral("output"))
                          ? QFile::encodeName(parser.value(QStringLiteral("output"))).toStdString()
                          : batch::defaultResultsPath(options.figures);
    options.reports = QFile::encodeName(parser.value(QStringLiteral("pdf"))).toStdString();
    if (parser.isSet(QStringLiteral("pdf")) && options.reports.empty())
        return refuse(QStringLiteral("--pdf 需要一个文件名。"));
    options.points = QFile::encodeName(parser.value(QStringLiteral("points"))).toStdString();
    if (parser.isSet(QStringLiteral("points")) && options.points.empty())
        return refuse(QStringLiteral("--points 需要一个文件名。"));
    options.checkPage = parser.isSet(QStringLiteral("check-page"));
    if (options.checkPage && options.reports.empty())
        return refuse(QStringLiteral("--check-page 只能与 --pdf 一起使用。"));
    if (parser.isSet(QStringLiteral("accuracy"))) {
        QString problem;
        const std::optional<DistanceAccuracy> accuracy = readAccuracy(parser.value(QStringLiteral("accuracy")), problem);
        if (!accuracy)
            return refuse(problem);
        options.accuracy = *accuracy;
    }
    if (parser.isSet(QStringLiteral("reduce"))) {
        QString problem;
        const std::optional<DistanceReduction> reduction =
            readReductionOption(parser.value(QStringLiteral("reduce")), problem);
        if (!reduction)
            return refuse(problem);
        options.reduction = *reduction;
    }

    if (options.reports.empty())
        return batch::runBatch(options, std::cerr, ::isatty(STDERR_FILENO) != 0);
    // The reports are drawn with the report's fonts, which need a GUI
    // application; on the offscreen platform it needs no display. Qt's own
    // remarks (no XDG_RUNTIME_DIR over ssh, say) would bury the summary.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << message.toStdString() << '\n';
    });
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    return batch::runBatch(options, std::cerr, ::isatty(STDERR_FILENO) != 0);
}

} // namespace korvane
