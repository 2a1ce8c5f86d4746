#include "result_commands.h"

#include "checked_networks.h"
#include "comma_locale.h"
#include "fakes.h"
#include "file_bytes.h"
#include "faulty_figures.h"

#include "proposed_path.h"
#include "report_words.h"
#include "strength_words.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

using testing::RecordingMessages;
using testing::ScriptedSaveDialog;
using testing::computed;
using testing::readFile;

const Observations worked = testing::checkedNetworks()[0].measured;

// The worked example's values in the window, checked against the figures
// computed by hand for it (B at 4415.873, 1321.512; md of B 8.25 mm; w and
// its limit of the independent check), the other digits as the fields show
// them; then its strength as the table of the figure shows it, each value
// that of the independent computation (strength_networks.h tells how).
const char* const workedCopy =
    "项目\t数值\t单位\n"
    "Xa\t3521.418\t米\nYa\t1204.337\t米\nXc\t4497.112\t米\nYc\t2188.650\t米\n"
    "S1\t902.1006\t米\nS2\t870.9382\t米\nS3\t1385.9476\t米\nS4\t889.6279\t米\nS5\t951.5497\t米\nS6\t1158.3709\t米\n"
    "w\t3.43\t秒\nms\t6.48\t毫米\n"
    "Xb\t4415.873\t米\nYb\t1321.512\t米\n1/px(B)\t0.8213\t\n1/py(B)\t0.8020\t\nmx(B)\t5.87\t毫米\nmy(B)\t5.80\t毫米\nmd(B)\t8.25\t毫米\n"
    "Xd\t3608.246\t米\nYd\t2151.914\t米\n1/px(D)\t0.8242\t\n1/py(D)\t0.8250\t\nmx(D)\t5.88\t毫米\nmy(D)\t5.88\t毫米\nmd(D)\t8.32\t毫米\n"
    "验前mx(B)\t3.49\t毫米\n验前my(B)\t3.41\t毫米\n验前md(B)\t4.88\t毫米\n验前E(B)\t3.50\t毫米\n验前F(B)\t3.40\t毫米\n"
    "验前φ(B)\t159.8\t度\n"
    "验前mx(D)\t3.47\t毫米\n验前my(D)\t3.56\t毫米\n验前md(D)\t4.97\t毫米\n验前E(D)\t3.62\t毫米\n验前F(D)\t3.40\t毫米\n"
    "验前φ(D)\t57.6\t度\n"
    "r(S1)\t16.4\t%\n∇(S1)\t26.7\t毫米\nB移动(S1)\t22.0\t毫米\nD移动(S1)\t7.0\t毫米\n"
    "r(S2)\t17.5\t%\n∇(S2)\t25.4\t毫米\nB移动(S2)\t20.4\t毫米\nD移动(S2)\t7.0\t毫米\n"
    "r(S4)\t15.6\t%\n∇(S4)\t27.2\t毫米\nB移动(S4)\t7.8\t毫米\nD移动(S4)\t22.6\t毫米\n"
    "r(S5)\t16.0\t%\n∇(S5)\t27.8\t毫米\nB移动(S5)\t7.8\t毫米\nD移动(S5)\t23.2\t毫米\n"
    "r(S6)\t34.6\t%\n∇(S6)\t20.9\t毫米\nB移动(S6)\t7.8\t毫米\nD移动(S6)\t7.0\t毫米\n"
    "最小角(A-B-C 在 A)\t37.8\t度\n"
    "闭合差相当于边长尺度误差 \u22127.24 ppm\t\t\n"
    "任一边小于 27.8 毫米的粗差可能发现不了；这样的粗差最多使 B 移动 22.0 毫米，D 移动 23.2 毫米\t\t\n"
    "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格\t\t\n";

const QMimeData* copiedFrom(const FigureCompute& compute, RecordingMessages& messages)
{
    ScriptedSaveDialog files;
    ResultCommands commands(compute, files, messages);
    QApplication::clipboard()->clear();
    commands.copyAll();
    return QApplication::clipboard()->mimeData();
}

TEST(ResultCommands, CopyPutsEveryValueOnTheClipboardAsATable)
{
    RecordingMessages messages;
    const QMimeData* copied = copiedFrom(computed({worked}), messages);
    EXPECT_EQ(copied->text(), QString::fromUtf8(workedCopy));
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_TRUE(copied->html().contains("<tr><th>项目</th><th>数值</th><th>单位</th></tr>"));
    EXPECT_TRUE(copied->html().contains("<tr><td>Xb</td><td sdval=\"4415.873\" sdnum=\"1033;0;0.000\" "
                                        "style='mso-number-format:\"0\\.000\"'>4415.873</td><td>米</td></tr>"))
        << copied->html().toStdString();
    EXPECT_TRUE(copied->html().contains("<tr><td colspan=\"3\">闭合差检核：w = 3.43秒"));
    EXPECT_TRUE(copied->html().contains("<tr><td>r(S6)</td><td sdval=\"34.6\" sdnum=\"1033;0;0.0\" "
                                        "style='mso-number-format:\"0\\.0\"'>34.6</td><td>%</td></tr>"))
        << copied->html().toStdString();
    EXPECT_EQ(copied->html().count("<tr>"), 63);
    EXPECT_EQ(messages.messages, QStringList());

    // a German desktop copies the same digits
    testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    EXPECT_EQ(copiedFrom(computed({worked}), messages)->text(), QString::fromUtf8(workedCopy));
}

// Before any compute the zeros copy as they print, with no check line; a
// compute that stopped halfway is refused, in the words of the print
// refusal that name the copy or the export, and the clipboard keeps what it
// had.
TEST(ResultCommands, CopiesOnlyRecordsOfOneCompute)
{
    const struct {
        const char* name;
        FigureCompute compute;
        qsizetype lines;  // on the clipboard, the header's among them
        const char* last; // the clipboard's last line; nullptr: refused
    } cases[] = {
        {"before any compute", computed({}), 27, "md(D)\t0.00\t毫米"},
        {"a fault before w", computed({worked, testing::noTriangleFigure()}), 1, nullptr},
        {"a fault after w", computed({worked, testing::hugeFigure()}), 1, nullptr},
        // with the blunder each side alone would be, and what to do with it
        {"a finished compute beyond its limit", computed({testing::checkedNetworks()[1].measured}), 69,
         "闭合差检核：w = -10.84秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），超限：只有一个多余观测，"
         "无法判断哪条边有粗差，请检查输入或重测。闭合差相当于边长尺度误差 +22.91 ppm：边长是否已归算到投影面？\t\t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessages messages;
        ScriptedSaveDialog files(QStringLiteral("/nowhere/测区.dat"));
        ResultCommands commands(c.compute, files, messages);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        commands.copyAll();
        commands.exportPoints();
        const QStringList lines = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), c.lines);
        if (c.last) {
            EXPECT_EQ(lines.last(), QString::fromUtf8(c.last));
            EXPECT_EQ(files.asked.size(), 1u);
        } else {
            EXPECT_EQ(lines, QStringList{"before"});
            EXPECT_EQ(messages.messages,
                      QStringList({"上次平差计算没有完成，记录中的数值不一致。请重新进行平差计算后再复制。",
                                   "上次平差计算没有完成，记录中的数值不一致。请重新进行平差计算后再导出。"}));
            EXPECT_TRUE(files.asked.empty());
        }
    }

    // beyond the limit, the blunder each side alone would be, as computed
    // independently, and what to do with it
    RecordingMessages messages;
    const QStringList lines =
        copiedFrom(computed({testing::checkedNetworks()[1].measured}), messages)->text().split(u'\n');
    for (const char* row : {"Δ(S1)\t-48.7\t毫米", "Δ(S2)\t-46.2\t毫米", "Δ(S4)\t-49.6\t毫米", "Δ(S5)\t-50.5\t毫米",
                            "Δ(S6)\t+38.0\t毫米"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(row))) << row;
    EXPECT_TRUE(lines.contains(QString::fromStdString(blunderAdvice()) + "\t\t"));
}

TEST(ResultCommands, ExportWritesThePointsInTheTypeChosen)
{
    const struct {
        const char* name;
        const char* file; // in the test's folder
        QByteArray bytes; // nothing: not written
        const char* message;
    } cases[] = {
        {"for CAD", "测区.dat",
         "A,,1204.337,3521.418,0.000\r\nB,,1321.512,4415.873,0.000\r\nC,,2188.650,4497.112,0.000\r\n"
         "D,,2151.914,3608.246,0.000\r\n",
         nullptr},
        {"for a spreadsheet", "测区.CSV",
         "\xEF\xBB\xBF点名,X(北),Y(东),mx(毫米),my(毫米),md(毫米)\r\nA,3521.418,1204.337,,,\r\n"
         "B,4415.873,1321.512,5.87,5.80,8.25\r\nC,4497.112,2188.650,,,\r\nD,3608.246,2151.914,5.88,5.88,8.32\r\n",
         nullptr},
        {"into a folder that is gone", "gone/测区.dat", {}, "坐标没有导出到文件“%1”：这个文件夹不存在。请选择另一个文件夹后再保存。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FigureCompute compute = computed({worked});
        RecordingMessages messages;
        QTemporaryDir folder;
        const QString path = folder.filePath(c.file);
        ScriptedSaveDialog files(path);
        ResultCommands commands(compute, files, messages);
        commands.exportPoints();
        commands.exportPoints();

        ASSERT_EQ(files.asked.size(), 2u);
        EXPECT_EQ(files.asked[0].title, "导出坐标");
        EXPECT_EQ(files.asked[0].filter, "CASS 坐标文件 (*.dat);;CSV 文件 (*.csv)");
        const QRegularExpression stamped("/Korvane-[0-9]{8}-[0-9]{6}\\.dat$");
        EXPECT_EQ(QFileInfo(files.asked[0].proposedPath).absolutePath(), documentsFolder());
        EXPECT_TRUE(stamped.match(files.asked[0].proposedPath).hasMatch()) << files.asked[0].proposedPath.toStdString();
        // the folder chosen is offered next time
        EXPECT_EQ(QFileInfo(files.asked[1].proposedPath).absolutePath(), QFileInfo(path).absolutePath());

        if (c.message) {
            EXPECT_EQ(messages.messages, QStringList(2, QString::fromUtf8(c.message).arg(path)));
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        } else {
            EXPECT_EQ(messages.messages, QStringList());
            EXPECT_EQ(readFile(path), c.bytes);
        }
    }
}

// A figure from a file is copied and exported by its names; a name that a
// spreadsheet would take for a formula is text in both forms of the copy and
// in both kinds of export, while a negative coordinate stays a number.
TEST(ResultCommands, AFigureFromAFileCopiesAndExportsByItsNamesNeverAsFormulas)
{
    Observations south = worked; // 10 km further south: every northing negative
    south.Xa -= 10000;
    south.Xc -= 10000;
    const struct {
        std::string figure;
        QString copied; // the name's row as the tab-separated text holds it
        const char* point; // A's name, as every form holds it
    } cases[] = {
        // quoted in the tab-separated text, as spreadsheets read a cell with quotes
        {"=HYPERLINK(\"http://x\";\"y\")", "名称\t\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\"\t", "'=K1"},
        {"+86 一号锁", "名称\t'+86 一号锁\t", "'+K1"},
        {"-1", "名称\t'-1\t", "'-K1"},
        {"@SUM(1)", "名称\t'@SUM(1)\t", "'@K1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure);
        FigureCompute compute = computed({south});
        compute.setIdentity({c.figure, 2, {std::string(c.point).substr(1), "K2", "K3", "K4"}});
        RecordingMessages messages;
        QTemporaryDir folder;
        ScriptedSaveDialog files({folder.filePath("测区.dat"), folder.filePath("测区.csv")});
        ResultCommands commands(compute, files, messages);
        commands.copyAll();
        const QStringList lines = QApplication::clipboard()->text().split(u'\n');
        EXPECT_EQ(lines.mid(1, 6), QStringList({c.copied, "A点名\t" + QString::fromUtf8(c.point) + u'\t', "B点名\tK2\t",
                                                "C点名\tK3\t", "D点名\tK4\t", "Xa\t-6478.582\t米"}));
        const QString html = QApplication::clipboard()->mimeData()->html();
        EXPECT_TRUE(html.contains("<tr><td>名称</td><td>" + QString::fromStdString("'" + c.figure).toHtmlEscaped()));
        EXPECT_TRUE(html.contains("<tr><td>A点名</td><td>" + QString::fromUtf8(c.point) + "</td>"));
        EXPECT_TRUE(html.contains("<td sdval=\"-6478.582\""));

        commands.exportPoints();
        commands.exportPoints();
        EXPECT_TRUE(readFile(folder.filePath("测区.dat")).startsWith(QByteArray(c.point) + ",,1204.337,-6478.582,0.000\r\n"));
        EXPECT_TRUE(readFile(folder.filePath("测区.csv")).contains("\n" + QByteArray(c.point) + ",-6478.582,1204.337,,,\r\n"));
        EXPECT_EQ(messages.messages, QStringList());
    }
}

// A weak figure's check line names its points: a name with the marks of a
// web page stays text in the copy made for a spreadsheet.
TEST(ResultCommands, ACheckLineNamingAPointIsTextInTheCopy)
{
    FigureCompute compute = computed({testing::checkedNetworks()[8].measured});
    compute.setIdentity({"长条", 2, {"<A&1>", "B", "C", "D"}});
    RecordingMessages messages;
    const QString html = copiedFrom(compute, messages)->html();
    EXPECT_TRUE(html.contains("<tr><td colspan=\"3\">闭合差检核：w = 5.22秒，限差 ±9.96秒（测距精度 2 mm + 2 ppm），"
                              "图形较弱：三角形 &lt;A&amp;1&gt;-B-C 在 &lt;A&amp;1&gt; 的角为 8.5°"))
        << html.toStdString();
    EXPECT_FALSE(html.contains("<A&1>"));
}

} // namespace
} // namespace korvane
