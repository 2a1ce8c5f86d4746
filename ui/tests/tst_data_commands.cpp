#include "comma_locale.h"
#include "fakes.h"
#include "fault_message.h"
#include "file_bytes.h"
#include "file_messages.h"
#include "form1.h"
#include "observation_commands.h"
#include "proposed_path.h"
#include "result_copy.h"

#include "observation_file.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>

namespace korvane {
namespace {

using testing::KeptTexts;
using testing::ModalDriver;
using testing::RecordingMessages;
using testing::ScriptedChooser;
using testing::ScriptedDialog;
using testing::ScriptedOpenDialog;
using testing::ScriptedSaveDialog;
using testing::readFile;
using testing::writeFile;

// the worked example of a braced rhombus of about 900 m sides, as typed
const std::array<QString, 9> worked{"3521.418", "1204.337", "4497.112", "2188.650", "902.1006",
                                    "870.9382", "889.6279", "951.5497", "1158.3709"};
const QString header = QStringLiteral("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n");

QString figureLine(const QString& name, const std::array<QString, 9>& values)
{
    return name + u',' + QStringList(values.begin(), values.end()).join(u',') + u'\n';
}

void typeAll(ScriptedDialog& dialog, const std::array<QString, 9>& values)
{
    for (const QString& value : values) {
        dialog.add(value);
        dialog.add(QString());
    }
}

// Everything a compute leaves: the fields' texts, the records bit for bit,
// what is remembered for the next compute, whether it finished.
struct WindowState {
    QMap<QString, QString> fields;
    std::vector<std::uint64_t> records;
    QMap<QString, QString> remembered;
    bool finished;
    bool operator==(const WindowState&) const = default;
};

WindowState stateOf(const Form1& form, const KeptTexts& memory)
{
    WindowState state{{}, {}, memory.texts, form.lastComputeFinished()};
    for (const QLineEdit* field : form.findChildren<QLineEdit*>())
        state.fields[field->objectName()] = field->text();
    const auto addBits = [&](const auto& record) {
        std::array<unsigned char, sizeof record> bytes;
        std::memcpy(bytes.data(), &record, sizeof record);
        for (const unsigned char byte : bytes)
            state.records.push_back(byte);
    };
    addBits(form.observations());
    const AdjustmentResult& r = form.result();
    for (double value : {r.S3, r.K, r.xp1, r.yp1, r.xp2, r.yp2})
        state.records.push_back(std::bit_cast<std::uint64_t>(value));
    for (float value : {r.s1, r.s2, r.s4, r.s5, r.s6, r.w, r.ms, r.B.invPx, r.B.invPy, r.B.mx, r.B.my, r.B.md,
                        r.D.invPx, r.D.invPy, r.D.mx, r.D.my, r.D.md})
        state.records.push_back(std::bit_cast<std::uint32_t>(value));
    return state;
}

WindowState typedCompute(const std::array<QString, 9>& values)
{
    ScriptedDialog dialog;
    typeAll(dialog, values);
    RecordingMessages messages;
    KeptTexts memory;
    Form1 form(&dialog, &messages, &memory);
    form.Command1_Click();
    return stateOf(form, memory);
}

// The worked example's values in the window, checked against the figures
// computed by hand for it (B at 4415.873, 1321.512; md of B 8.25 mm; w and
// its limit of the independent check), the other digits as the fields show
// them.
const char* const workedCopy =
    "项目\t数值\t单位\n"
    "Xa\t3521.418\t米\nYa\t1204.337\t米\nXc\t4497.112\t米\nYc\t2188.650\t米\n"
    "S1\t902.1006\t米\nS2\t870.9382\t米\nS3\t1385.9476\t米\nS4\t889.6279\t米\nS5\t951.5497\t米\nS6\t1158.3709\t米\n"
    "w\t3.43\t秒\nms\t6.48\t毫米\n"
    "Xb\t4415.873\t米\nYb\t1321.512\t米\n1/px(B)\t0.8213\t\n1/py(B)\t0.8020\t\nmx(B)\t5.87\t毫米\nmy(B)\t5.80\t毫米\nmd(B)\t8.25\t毫米\n"
    "Xd\t3608.246\t米\nYd\t2151.914\t米\n1/px(D)\t0.8242\t\n1/py(D)\t0.8250\t\nmx(D)\t5.88\t毫米\nmy(D)\t5.88\t毫米\nmd(D)\t8.32\t毫米\n"
    "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格\t\t\n";

const QMimeData* copiedAfterTyping(Form1& form)
{
    QApplication::clipboard()->clear();
    form.CopyResults_Click();
    return QApplication::clipboard()->mimeData();
}

TEST(DataCommands, CopyPutsEveryValueOnTheClipboardAsATable)
{
    ScriptedDialog dialog;
    typeAll(dialog, worked);
    typeAll(dialog, worked);
    RecordingMessages messages;
    Form1 form(&dialog, &messages);
    form.Command1_Click();
    const QMimeData* copied = copiedAfterTyping(form);
    EXPECT_EQ(copied->text(), QString::fromUtf8(workedCopy));
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_TRUE(copied->html().contains("<tr><th>项目</th><th>数值</th><th>单位</th></tr>"));
    EXPECT_TRUE(copied->html().contains("<tr><td>Xb</td><td sdval=\"4415.873\" sdnum=\"1033;0;0.000\" "
                                        "style='mso-number-format:\"0\\.000\"'>4415.873</td><td>米</td></tr>"))
        << copied->html().toStdString();
    EXPECT_TRUE(copied->html().contains("<tr><td colspan=\"3\">闭合差检核：w = 3.43秒"));
    EXPECT_EQ(copied->html().count("<tr>"), 28);
    EXPECT_EQ(messages.messages, QStringList());

    // a German desktop copies the same digits
    testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    form.Command1_Click();
    EXPECT_EQ(copiedAfterTyping(form)->text(), QString::fromUtf8(workedCopy));
}

TEST(DataCommands, CtrlCCopiesEverythingUnlessAFieldHasSelectedText)
{
    const struct {
        const char* name;
        const char* focus;  // the control with the keyboard focus
        bool selectInField; // its text selected
        const char* copied; // the clipboard's first line afterwards
    } cases[] = {
        {"a field with nothing selected", "Text12", false, "项目\t数值\t单位"},
        {"a field with its text selected", "Text12", true, " 4415.873"},
        {"the compute button", "Command1", false, "项目\t数值\t单位"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        typeAll(dialog, worked);
        RecordingMessages messages;
        Form1 form(&dialog, &messages);
        form.Command1_Click();
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto* focus = form.findChild<QWidget*>(c.focus);
        focus->setFocus();
        if (auto* field = qobject_cast<QLineEdit*>(focus); field && c.selectInField)
            field->selectAll();
        QApplication::clipboard()->setText("before");
        QTest::keySequence(focus, QKeySequence::Copy);
        EXPECT_EQ(QApplication::clipboard()->text().section(u'\n', 0, 0), QString::fromUtf8(c.copied));
    }
}

TEST(DataCommands, ContextMenusOfferTheirCommands)
{
    const struct {
        const char* name;
        const char* control; // nullptr: the window's background
        QStringList offered;
    } cases[] = {
        {"the compute button", "Command1", {"测距精度…", "网图与检核…\tF3", "打开观测文件…\tCtrl+O", "保存观测文件…\tCtrl+S"}},
        {"the window", nullptr, {"复制全部结果\tCtrl+C", "导出坐标…"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessages messages;
        Form1 form(nullptr, &messages);
        QStringList offered;
        ModalDriver driver([&](QWidget* up) {
            if (auto* menu = qobject_cast<QMenu*>(up)) {
                for (const QAction* action : menu->actions())
                    offered << action->text() + (action->shortcut().isEmpty()
                                                      ? QString()
                                                      : u'\t' + action->shortcut().toString());
                menu->close();
            }
            return false;
        });
        QWidget* target = c.control ? form.findChild<QWidget*>(c.control) : static_cast<QWidget*>(&form);
        const QPoint at = c.control ? target->rect().center() : QPoint(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        EXPECT_EQ(offered, c.offered);
    }
}

TEST(DataCommands, ExportWritesThePointsInTheTypeChosen)
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
        ScriptedDialog dialog;
        typeAll(dialog, worked);
        RecordingMessages messages;
        Form1 form(&dialog, &messages);
        form.Command1_Click();
        QTemporaryDir folder;
        const QString path = folder.filePath(c.file);
        ScriptedSaveDialog files(path);
        form.setSaveFileDialog(&files);
        form.ExportPoints_Click();
        form.ExportPoints_Click();

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

TEST(DataCommands, AFigureFromAFileFillsTheWindowAsTypingItDoes)
{
    std::array<QString, 9> second = worked;
    second[8] = "1158.4209";
    const QByteArray gbkName("\xB6\xFE\xBA\xC5\xCB\xF8"); // 二号锁
    const struct {
        const char* name;
        QByteArray file;
        std::optional<std::size_t> choice;
        QStringList offered;
        std::array<QString, 9> typed; // what typing the same figure means
    } cases[] = {
        {"one figure, computed at once", (header + figureLine("一号锁", worked)).toUtf8(), std::nullopt, {}, worked},
        {"the second of two, from a GBK spreadsheet",
         QByteArray("\xC3\xFB\xB3\xC6,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n") + figureLine("P1", worked).toUtf8() + "# 复测\r\n"
             + gbkName + figureLine("", second).toUtf8(),
         1, {"第 2 行  P1", "第 4 行  二号锁"}, second},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        writeFile(folder.filePath("测区.csv"), c.file);
        ScriptedOpenDialog files(folder.filePath("测区.csv"));
        ScriptedChooser chooser(c.choice);
        RecordingMessages messages;
        KeptTexts memory;
        Form1 form(nullptr, &messages, &memory);
        form.setOpenFileDialog(&files);
        form.setFigureChooser(&chooser);
        form.OpenObservations_Click();

        EXPECT_EQ(messages.messages, QStringList());
        EXPECT_EQ(chooser.offered, c.offered);
        EXPECT_EQ(files.titles, QStringList{"打开观测文件"});
        EXPECT_TRUE(stateOf(form, memory) == typedCompute(c.typed));
    }
}

TEST(DataCommands, AFileWithAFaultChangesNothing)
{
    const struct {
        const char* name;
        std::optional<QByteArray> file; // nothing: no such file
        std::optional<std::size_t> choice;
        const char* message; // nullptr: none; %1 the file
    } cases[] = {
        {"a value that is not a number", (header + "P1,3521.418,1204.337,4497.112,2188.650,902.1006,8７0.9382x,889.6279,"
                                                   "951.5497,1158.3709\n").toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行第 7 列（S2）的“8７0.9382x”不是数字。请改正观测文件后再打开。"},
        {"no such file", std::nullopt, std::nullopt, "观测文件“%1”不能读取：文件不存在。请改正观测文件后再打开。"},
        {"a line longer than 64 KiB", (header + QString(70000, u'9') + u'\n' + figureLine("P2", worked)).toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行超过 64 KiB，不是观测数据。请改正观测文件后再打开。"},
        {"a point's name with a semicolon", ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程,B点名\n" +
                                            figureLine("P1", worked).chopped(1) + ",612.5,K;1\n").toUtf8(),
         std::nullopt,
         "观测文件“%1”第 2 行第 12 列（B点名）的“K;1”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符。"
         "请改正观测文件后再打开。"},
        {"a mean height that is not a number", ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程\n" +
                                               figureLine("P1", worked).chopped(1) + ",6l2.5\n").toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行第 11 列（平均高程）的“6l2.5”不是数字。请改正观测文件后再打开。"},
        {"a header and no figure", header.toUtf8(), std::nullopt, "观测文件“%1”中只有表头，没有图形。"},
        {"the choice cancelled", (header + figureLine("P1", worked) + figureLine("P2", worked)).toUtf8(), std::nullopt,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString path = folder.filePath("测区.csv");
        if (c.file)
            writeFile(path, *c.file);
        ScriptedDialog dialog;
        std::array<QString, 9> earlier = worked;
        earlier[0] = "3521.5";
        typeAll(dialog, earlier);
        ScriptedOpenDialog files(path);
        ScriptedChooser chooser(c.choice);
        RecordingMessages messages;
        KeptTexts memory;
        Form1 form(&dialog, &messages, &memory);
        form.setOpenFileDialog(&files);
        form.setFigureChooser(&chooser);
        form.Command1_Click();
        const WindowState before = stateOf(form, memory);

        form.OpenObservations_Click();
        EXPECT_EQ(messages.messages, c.message ? QStringList{QString::fromUtf8(c.message).arg(path)} : QStringList());
        EXPECT_TRUE(stateOf(form, memory) == before);
    }
}

TEST(DataCommands, AFigureFromAFileThatCannotBeComputedRefusesTheReportAsTypingDoes)
{
    QTemporaryDir folder;
    std::array<QString, 9> noTriangle = worked;
    noTriangle[8] = "2000";
    writeFile(folder.filePath("测区.csv"), (header + figureLine("P1", noTriangle)).toUtf8());
    ScriptedOpenDialog files(folder.filePath("测区.csv"));
    RecordingMessages messages;
    KeptTexts memory;
    Form1 form(nullptr, &messages, &memory);
    form.setOpenFileDialog(&files);
    int prints = 0;
    form.setPrintCommand([&prints](const Observations&, const AdjustmentResult&) {
        ++prints;
        return QString();
    });
    ScriptedSaveDialog exportTo(folder.filePath("测区.dat"));
    form.setSaveFileDialog(&exportTo);
    form.OpenObservations_Click();
    form.Command3_Click();
    form.CopyResults_Click();
    form.ExportPoints_Click();

    EXPECT_EQ(prints, 0);
    EXPECT_TRUE(exportTo.asked.empty());
    EXPECT_EQ(messages.messages, QStringList({"三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。",
                                              printRefusedMessage(), printRefusedMessage(), printRefusedMessage()}));
    EXPECT_TRUE(stateOf(form, memory) == typedCompute(noTriangle));
}

TEST(DataCommands, SaveWritesTheNineValuesAsEnteredThatOpenAgainAsTheSameFigure)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("一号锁.csv");
    ScriptedDialog dialog;
    typeAll(dialog, worked);
    dialog.add(QString()); // the figure's name: Enter takes the file's
    RecordingMessages messages;
    KeptTexts memory;
    Form1 form(&dialog, &messages, &memory);
    ScriptedSaveDialog files(path);
    form.setSaveFileDialog(&files);

    form.SaveObservations_Click();
    EXPECT_EQ(messages.messages, QStringList{nothingToSaveMessage()});
    EXPECT_TRUE(files.asked.empty());

    form.Command1_Click();
    form.SaveObservations_Click();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, "保存观测文件");
    EXPECT_EQ(files.asked[0].filter, "观测文件 (*.csv)");
    EXPECT_EQ(dialog.prompts.last(), "图形名称：");
    EXPECT_EQ(dialog.offers.last(), "一号锁");
    EXPECT_EQ(readFile(path), "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n"
                              "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\r\n");
    EXPECT_EQ(messages.messages.size(), 1);

    // opened again, it computes what was typed
    const WindowState typed = stateOf(form, memory);
    ScriptedOpenDialog open(path);
    form.setOpenFileDialog(&open);
    form.OpenObservations_Click();
    EXPECT_TRUE(stateOf(form, memory) == typed);
}

// The file type chosen in the dialog names a file that has no suffix of the
// types on offer; a name that has one keeps it.
TEST(DataCommands, SaveDialogAddsTheChosenTypesSuffix)
{
    const QStringList types{"CASS 坐标文件 (*.dat)", "CSV 文件 (*.csv)"};
    const struct {
        const char* typed;
        int chosen;
        const char* saved;
    } cases[] = {
        {"测区", 0, "测区.dat"},
        {"测区 12.3", 1, "测区 12.3.csv"},
        {"测区.csv", 0, "测区.csv"},
        {"测区.DAT", 1, "测区.DAT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(withFilterSuffix(QString::fromUtf8(c.typed), types[c.chosen], types), QString::fromUtf8(c.saved));
    }
}

} // namespace
} // namespace korvane
