#include "observation_commands.h"

#include "checked_networks.h"
#include "fakes.h"
#include "figure_chooser.h"
#include "file_bytes.h"

#include "proposed_path.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using testing::RecordingMessages;
using testing::ScriptedChooser;
using testing::ScriptedDialog;
using testing::ScriptedOpenDialog;
using testing::ScriptedSaveDialog;
using testing::computed;
using testing::readFile;
using testing::writeFile;

const Observations worked = testing::checkedNetworks()[0].measured;
const Observations blunder = testing::checkedNetworks()[1].measured; // S6 5 cm long

const QByteArray header = "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n";
const QByteArray workedLine = "3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n";
const QByteArray blunderLine = "3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.4209\n";

// The family with its own compute and stand-ins, and the figures it opened.
struct Files {
    Files(FigureCompute computed, std::optional<QString> open, std::optional<std::size_t> choice,
          std::optional<QString> save = std::nullopt)
        : compute(std::move(computed)), openDialog(std::move(open)), chooser(choice), saveDialog(std::move(save)),
          commands(compute, openDialog, chooser, saveDialog, names, messages)
    {
        QObject::connect(&commands, &ObservationCommands::figureOpened,
                         [this](const Observations& values, const FigureIdentity& figure) {
                             opened.push_back(values);
                             identities.push_back(figure);
                         });
    }

    FigureCompute compute;
    ScriptedOpenDialog openDialog;
    ScriptedChooser chooser;
    ScriptedSaveDialog saveDialog;
    ScriptedDialog names;
    RecordingMessages messages;
    ObservationCommands commands;
    std::vector<Observations> opened;
    std::vector<FigureIdentity> identities;
};

// the compute after `figure` came from a file
FigureCompute named(FigureCompute compute, const FigureIdentity& figure)
{
    compute.setIdentity(figure);
    return compute;
}

bool same(const Observations& a, const Observations& b)
{
    return std::memcmp(&a, &b, sizeof(Observations)) == 0;
}

// The figure chosen from a file goes to the window to be computed, bit for
// bit as read; a choice cancelled opens nothing.
TEST(ObservationCommands, OpensTheFigureChosen)
{
    const struct {
        const char* name;
        QByteArray file;
        std::optional<std::size_t> choice;
        QStringList offered;
        std::optional<Observations> opened;
        FigureIdentity figure = {}; // of the figure opened; by its line alone in the cases without names
    } cases[] = {
        {"one figure, without a choice", header + "一号锁," + workedLine, std::nullopt, {}, worked},
        {"the second of two", header + "一号锁," + workedLine + "# 复测\n二号锁," + blunderLine, 1,
         {"第 2 行  一号锁", "第 4 行  二号锁"}, blunder},
        {"the first of two", header + "一号锁," + workedLine + "二号锁," + blunderLine, 0,
         {"第 2 行  一号锁", "第 3 行  二号锁"}, worked},
        {"the choice cancelled", header + "一号锁," + workedLine + "二号锁," + blunderLine, std::nullopt,
         {"第 2 行  一号锁", "第 3 行  二号锁"}, std::nullopt},
        {"bad lines among the figures, each with its fault",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名\n一号锁," + workedLine.chopped(1) + ",GP01,K;1\n坏,1,2\n"
             + QByteArray(70000, '9') + "\n二号锁," + blunderLine.chopped(1) + ",GP01,K2\n",
         3,
         {"第 2 行  一号锁：第 2 行第 12 列（B点名）的“K;1”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符",
          "第 3 行  坏：第 3 行第 4 列（Xc）没有数值", "第 4 行：第 4 行超过 64 KiB，不是观测数据", "第 5 行  二号锁"},
         blunder, FigureIdentity{"二号锁", 5, {"GP01", "K2", "C", "D"}}},
        {"names saved with their guards against formulas open as they were",
         "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\n'=一号锁," + workedLine.chopped(1) + ",'+K1,'-K2,'@K3,K4\n",
         std::nullopt, {}, worked, FigureIdentity{"=一号锁", 2, {"+K1", "-K2", "@K3", "K4"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        writeFile(folder.filePath("测区.csv"), c.file);
        Files files(computed({}), folder.filePath("测区.csv"), c.choice);
        files.commands.open();
        EXPECT_EQ(files.chooser.offered, c.offered);
        EXPECT_EQ(files.messages.messages, QStringList());
        ASSERT_EQ(files.opened.size(), c.opened ? 1u : 0u);
        if (c.opened) {
            EXPECT_TRUE(same(files.opened[0], *c.opened));
            if (!c.figure.name.empty()) {
                EXPECT_TRUE(files.identities[0] == c.figure);
            }
        }
        EXPECT_EQ(files.openDialog.titles, QStringList{"打开观测文件"});
        EXPECT_EQ(files.openDialog.filters, QStringList{"观测文件 (*.csv *.txt);;所有文件 (*)"});
    }
}

// The real chooser counts the figures apart from the lines with a fault, and
// Enter takes the first figure, past a line with a fault.
TEST(QtFigureChooser, CountsTheFiguresApartFromTheLinesWithAFault)
{
    QStringList labels;
    testing::ModalDriver driver([&labels](QWidget* up) {
        auto* dialog = qobject_cast<QDialog*>(up);
        if (!dialog)
            return false;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        QTest::keyClick(dialog->findChild<QListWidget*>("figures"), Qt::Key_Return);
        return false;
    });
    QtFigureChooser chooser(nullptr);
    const std::optional<std::size_t> chosen = chooser.choose(
        "/测区/测区.csv", {{"坏", 2, "第 2 行第 4 列（Xc）没有数值"}, {"一号锁", 3, {}}, {"二号锁", 4, {}}});
    EXPECT_EQ(labels, QStringList{"观测文件“测区.csv”中有 2 个图形，另有 1 行有错（灰色，不能计算），请选择要计算的一个："});
    EXPECT_EQ(chosen, std::optional<std::size_t>(1));
}

// The documents folder is offered first, then the folder of the file opened
// last, also after a file that could not be used.
TEST(ObservationCommands, OffersTheFolderUsedLast)
{
    QTemporaryDir folder;
    Files files(computed({}), folder.filePath("没有这个文件.csv"), std::nullopt);
    files.commands.open();
    files.commands.open();
    EXPECT_EQ(files.openDialog.folders, QStringList({documentsFolder(), QDir(folder.path()).absolutePath()}));
}

// The nine values as entered (not the adjusted sides the records hold after
// the compute) go into a file of one figure, under the name typed, the
// file's own name offered; nothing is written before a whole entry, nor when
// the name is cancelled, nor into a folder that is gone.
TEST(ObservationCommands, SavesTheValuesAsEnteredUnderTheNameGiven)
{
    const QByteArray saved = "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n"
                             "%1,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\r\n";
    const struct {
        const char* name;
        FigureCompute compute;
        const char* file; // in the test's folder
        std::optional<QString> typedName;
        QByteArray bytes; // nothing: no file
        const char* message;
    } cases[] = {
        {"the file's name taken with Enter", computed({worked}), "一号锁.csv", QString(),
         QByteArray(saved).replace("%1", "一号锁"), nullptr},
        {"a name typed, blanks around it", computed({worked}), "测区.csv", QStringLiteral("  二号锁 "),
         QByteArray(saved).replace("%1", "二号锁"), nullptr},
        {"the name cancelled", computed({worked}), "测区.csv", std::nullopt, {}, nullptr},
        {"before any compute", computed({}), "测区.csv", QString(), {},
         "还没有完整的一组观测值可以保存。请先进行平差计算（输入全部九个数值）或打开观测文件。"},
        {"a folder that is gone", computed({worked}), "gone/测区.csv", QString(), {},
         "观测值没有保存到文件“%1”：这个文件夹不存在。请选择另一个文件夹后再保存。"},
        {"a figure from a file: its own name offered, its points' names kept",
         named(computed({worked}), {"一号锁", 2, {"GP01", "K1", "GP02", "K2"}}), "测区.csv", QString(),
         "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\r\n"
         "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709,GP01,K1,GP02,K2\r\n",
         nullptr},
        {"names a spreadsheet would take for formulas",
         named(computed({worked}), {"@一号锁", 2, {"=K1", "+K2", "-K3", "@K4"}}), "测区.csv", QString(),
         "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\r\n"
         "'@一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709,'=K1,'+K2,'-K3,'@K4\r\n",
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString path = folder.filePath(c.file);
        Files files(c.compute, std::nullopt, std::nullopt, path);
        files.names.add(c.typedName);
        files.commands.save();

        EXPECT_EQ(files.messages.messages, c.message ? QStringList{QString::fromUtf8(c.message).arg(path)}
                                                     : QStringList());
        if (c.bytes.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(path));
        } else {
            EXPECT_EQ(readFile(path), c.bytes);
        }
        if (!c.compute.entered()) {
            EXPECT_TRUE(files.saveDialog.asked.empty());
            continue;
        }
        ASSERT_EQ(files.saveDialog.asked.size(), 1u);
        EXPECT_EQ(files.saveDialog.asked[0].title, "保存观测文件");
        EXPECT_EQ(files.saveDialog.asked[0].filter, "观测文件 (*.csv)");
        EXPECT_EQ(files.names.prompts, QStringList{"图形名称："});
        const std::string& figureName = c.compute.identity().name;
        EXPECT_EQ(files.names.offers, QStringList{figureName.empty() ? QFileInfo(path).completeBaseName()
                                                                     : QString::fromStdString(figureName)});
    }
}

} // namespace
} // namespace korvane
