// The window and the disk: the report as a PDF file read back with
// poppler-utils, the settings file a restarted window reads, the observation
// files opened and saved through the window, and the faults of a folder
// that cannot be written, a full disk and a name the disk refuses.

#include "checked_networks.h"
#include "fakes.h"
#include "figure_files.h"
#include "figure_window.h"
#include "file_bytes.h"
#include "form1.h"
#include "grid_networks.h"
#include "instrument_settings.h"
#include "observation_commands.h"
#include "pdf_text.h"
#include "report_text.h"
#include "restricted_disk.h"
#include "result_commands.h"
#include "settings_memory.h"
#include "strength_networks.h"
#include "window_state.h"

#include "pdf_report.h"
#include "report.h"
#include "report_words.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <vector>

namespace korvane {
namespace {

using testing::KeptSettings;
using testing::ModalDriver;
using testing::PreviewRecorder;
using testing::PrintRecorder;
using testing::RecordingMessages;
using testing::ScriptedChooser;
using testing::ScriptedDialog;
using testing::ScriptedOpenDialog;
using testing::ScriptedSaveDialog;
using testing::Typed;
using testing::WindowState;
using testing::chooseFromMenu;
using testing::fieldNetwork;
using testing::pdfInfo;
using testing::pdfLines;
using testing::readFile;
using testing::typeAll;
using testing::workedExample;
using testing::writeFile;

const QString refused = QString::fromStdString(printRefusedMessage());
const QString header = testing::observationHeader;

QString figureLine(const QString& name, const Typed& values)
{
    return name + u',' + QStringList(values.begin(), values.end()).join(u',') + u'\n';
}

// Korvane closed and started again on the same settings: the new window
// offers every value the old one was given, and Enter alone on all eighteen
// dialogs computes, shows and prints exactly what typing them did.
TEST(Form1, AfterARestartEnterAloneComputesWhatWasTyped)
{
    struct Lifetime {
        QMap<QString, QString> fields;
        Observations observations;
        AdjustmentResult result;
    };
    // each window on the user's settings file, as the program has it
    const auto lifetime = [](ScriptedDialog& dialog) {
        RecordingMessages messages;
        Form1 form({.input = &dialog, .messages = &messages});
        form.Command1_Click();
        EXPECT_EQ(messages.messages, QStringList());
        return Lifetime{testing::fieldTexts(form), form.compute().observations(), form.compute().result()};
    };

    ScriptedDialog typing;
    typeAll(typing, fieldNetwork);
    const Lifetime first = lifetime(typing);
    ScriptedDialog enterOnly;
    enterOnly.add(testing::enterAlone(9));
    const Lifetime second = lifetime(enterOnly);

    ASSERT_EQ(enterOnly.prompts, typing.prompts);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(enterOnly.offers[2 * i], fieldNetwork[i]);
    EXPECT_EQ(second.fields, first.fields);
    EXPECT_EQ(std::memcmp(&second.observations, &first.observations, sizeof(Observations)), 0);
    EXPECT_EQ(testing::bits(second.result), testing::bits(first.result));
    EXPECT_TRUE(reportSteps(second.observations, second.result) == reportSteps(first.observations, first.result));

    // where QSettings keeps organisation Korvane, application korvane
    const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvane/korvane.conf";
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(SettingsMemory::userFile(), file);
    EXPECT_EQ(QSettings("Korvane", "korvane").fileName(), file);
}

// Every line of the report of these records is in the PDF, in its order,
// and nothing else.
void expectReportInPdf(const QString& path, const Observations& o, const AdjustmentResult& r)
{
    const QStringList document = pdfLines(path);
    const std::vector<testing::PrintedLine> expected = testing::printedLines(o, r);
    EXPECT_EQ(document.size(), static_cast<qsizetype>(expected.size())) << document.join('\n').toStdString();
    qsizetype from = 0;
    for (const testing::PrintedLine& line : expected) {
        const qsizetype at = document.indexOf(line.text, from);
        EXPECT_GE(at, 0) << "not in the PDF, or out of order: report line " << line.number << " "
                         << line.text.toStdString();
        if (at >= 0)
            from = at + 1;
    }
}

TEST(Form1, ReportDependsOnHowTheLastComputeEnded)
{
    struct Case {
        const char* name;
        testing::Replies replies; // of one compute; none: no compute at all
        bool reports;
    };
    const Case cases[] = {
        {"before any compute the zeros are reported", {}, true},
        {"Cancel on the first prompt changes nothing", testing::cancelled(), true},
        {"Cancel once a value is stored", testing::confirmed({"1"}) + testing::cancelled(), false},
        {"a side beyond single precision", testing::confirmed({"0", "0", "1", "1", "1e39"}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        dialog.add(c.replies);
        RecordingMessages messages;
        KeptSettings settings;
        PrintRecorder printer;
        PreviewRecorder preview;
        QTemporaryDir folder;
        ScriptedSaveDialog files(folder.filePath("report.pdf"));
        Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .saveFiles = &files,
                    .print = printer.job(), .preview = preview.job()});

        if (!c.replies.empty())
            form.Command1_Click();
        messages.messages.clear(); // what the compute told
        form.Command3_Click();
        form.report().preview();
        form.report().saveAsPdf();

        EXPECT_EQ(printer.prints, c.reports ? 1 : 0);
        EXPECT_EQ(preview.previews, c.reports ? 1 : 0);
        EXPECT_EQ(files.asked.size(), c.reports ? 1u : 0u);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  c.reports ? QStringList{"report.pdf"} : QStringList());
        EXPECT_EQ(messages.messages, c.reports ? QStringList() : QStringList(3, refused));
        if (c.reports)
            expectReportInPdf(folder.filePath("report.pdf"), {}, {});
    }
}

TEST(Form1, SavesTheReportAsAPdfThatReadsBackLineForLineAndPreviewsItsPages)
{
    ScriptedDialog dialog;
    typeAll(dialog, fieldNetwork);
    RecordingMessages messages;
    KeptSettings settings;
    // a name with a dot of its own still gets ".pdf"
    QTemporaryDir folder;
    ScriptedSaveDialog files(folder.filePath("测区 12.3"));
    Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .saveFiles = &files});
    form.Command1_Click();
    ASSERT_TRUE(form.compute().recordsAgree());
    form.report().saveAsPdf();

    ASSERT_EQ(messages.messages, QStringList());
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, "保存报告为 PDF");
    EXPECT_EQ(files.asked[0].filter, "PDF 文件 (*.pdf)");
    EXPECT_TRUE(QRegularExpression("/Korvane-[0-9]{8}-[0-9]{6}\\.pdf$").match(files.asked[0].proposedPath).hasMatch())
        << files.asked[0].proposedPath.toStdString();

    // the whole file under its name, nothing beside it
    ASSERT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"测区 12.3.pdf"});
    const QString pdf = folder.filePath("测区 12.3.pdf");
    expectReportInPdf(pdf, form.compute().observations(), form.compute().result());

    // the preview shows the pages of the same page layout
    QString title;
    int previewPages = -1;
    ModalDriver driver([&](QWidget* up) {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(up)) {
            title = preview->windowTitle();
            previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->reject();
        }
        return false;
    });
    form.report().preview();
    EXPECT_EQ(title, "打印预览");
    EXPECT_EQ(previewPages, pdfInfo(pdf, "Pages").toInt());
    EXPECT_GE(previewPages, 1);
    EXPECT_EQ(messages.messages, QStringList());
}

// With 报告附网图与检核页 checked on the print button's menu, the PDF and the
// preview carry a second page, the drawing and its table; the first page is
// the report exactly as without it. The choice outlives the window.
const QString passedCheck = "闭合差检核：w = 3.43秒，限差 ±4.19秒（测距精度 2 mm + 2 ppm），合格";

TEST(Form1, FigurePageFollowsTheReportWhenAskedOnThePrintMenu)
{
    struct Case {
        const char* name;
        bool ask;
        bool compute;
        int pages;
    };
    const Case cases[] = {
        {"not asked: the report alone", false, true, 1},
        {"asked: the drawing and its table", true, true, 2},
        {"asked before any compute: the page says why it is empty", true, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        typeAll(dialog, workedExample);
        RecordingMessages messages;
        KeptSettings settings;
        QTemporaryDir folder;
        const QString pdf = folder.filePath("report.pdf");
        ScriptedSaveDialog files(pdf);
        Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .saveFiles = &files});
        auto* print = form.findChild<QPushButton*>("Command3");
        if (c.ask)
            chooseFromMenu(print, QContextMenuEvent::Mouse, 3);
        EXPECT_EQ(settings.figurePage, c.ask);
        {
            // a window opened later finds the item as it was left
            Form1 later({.messages = &messages, .settings = &settings});
            EXPECT_EQ(chooseFromMenu(later.findChild<QPushButton*>("Command3"), QContextMenuEvent::Mouse, -1).last(),
                      c.ask ? "报告附网图与检核页 ✓" : "报告附网图与检核页");
        }
        if (c.compute)
            form.Command1_Click();

        form.report().saveAsPdf();
        ASSERT_EQ(messages.messages, QStringList());
        EXPECT_EQ(pdfInfo(pdf, "Pages").toInt(), c.pages);

        const QString alone = folder.filePath("alone.pdf");
        saveReportAsPdf(alone, form.compute().observations(), form.compute().result());
        EXPECT_EQ(pdfLines(pdf, 1), pdfLines(alone, 1));
        if (c.pages == 2) {
            const QStringList page = pdfLines(pdf, 2);
            ASSERT_FALSE(page.isEmpty());
            EXPECT_EQ(page.first(), "网图与检核");
            QStringList expected;
            if (c.compute) {
                const FigureSheet sheet = std::get<FigureSheet>(figureOf(form.compute()));
                expected << passedCheck << "B 5.88 5.79 17.9" << "D 6.09 5.67 45.2"
                         << "S1 902.1006 -2.7 3.8" << "S6 1158.3709 +3.5 4.3" << "B 在 A→C 的左侧，D 在右侧"
                         << QString::fromStdString(sheet.magnificationText);
                for (const SheetSide& side : sheet.sides)
                    expected << QString::fromStdString(side.label);
            } else {
                expected << "尚无完成的平差计算";
            }
            const QString all = page.join('\n');
            for (const QString& text : expected)
                EXPECT_TRUE(all.contains(text)) << text.toStdString() << " not on page 2:\n" << all.toStdString();
        }

        int previewPages = -1;
        ModalDriver driver([&](QWidget* up) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(up)) {
                previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                preview->reject();
            }
            return false;
        });
        form.report().preview();
        EXPECT_EQ(previewPages, c.pages);
    }
}

TEST(Form1, PdfFaultsBecomeMessagesAndLeaveTheFolderAsItWas)
{
    struct Case {
        const char* name;
        const char* folder; // made in the test's folder
        QString file;
        const char* reason; // in the message, after the file
        std::function<void(const QString& folder)> prepare;
        bool asOrdinaryUser = false;
        bool onASmallDisk = false;
    };
    const Case cases[] = {
        {"a folder that cannot be written", "locked", "report.pdf",
         "不能在这个文件夹中写入文件（没有写入权限，或磁盘是只读的）",
         [](const QString& folder) {
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
         },
         true},
        {"a folder that is gone", "gone", "report.pdf", "这个文件夹不存在",
         [](const QString& folder) { QDir(folder).removeRecursively(); }},
        {"a name too long for the disk", "long", QString(90, QChar(0x6D4B)) + ".pdf",
         "这个名字不能用作文件名（太长、含有磁盘不允许的字符，或是一个文件夹的名字）", {}},
        {"the name of a folder", "taken", "archive.pdf",
         "这个名字不能用作文件名（太长、含有磁盘不允许的字符，或是一个文件夹的名字）",
         [](const QString& folder) { QDir(folder).mkdir("archive.pdf"); }},
        {"a full disk, over an older report", "full", "report.pdf", "磁盘已满",
         [](const QString& folder) {
             QFile older(folder + "/report.pdf");
             ASSERT_TRUE(older.open(QIODevice::WriteOnly));
             older.write("the older report");
         },
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir work;
        QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                               | QFile::ExeOther);
        const QString folder = work.filePath(c.folder);
        QDir(work.path()).mkdir(c.folder);
        std::optional<testing::SmallDisk> disk;
        if (c.onASmallDisk) {
            disk.emplace(QFile::encodeName(folder).toStdString());
            if (!disk->ready()) {
                std::cout << "[ SKIPPED  ] " << c.name << ": no right to mount a small disk here\n";
                continue;
            }
        }
        if (c.prepare)
            c.prepare(folder);
        const auto contents = [&folder] {
            QStringList files;
            for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
                QFile file(entry.filePath());
                files << entry.fileName() + ": " + (file.open(QIODevice::ReadOnly) ? file.readAll() : "");
            }
            return files;
        };
        const QStringList before = contents();

        RecordingMessages messages;
        KeptSettings settings;
        const QString path = folder + "/" + c.file;
        ScriptedSaveDialog files(path);
        Form1 form({.messages = &messages, .settings = &settings, .saveFiles = &files});
        {
            std::optional<testing::AsOrdinaryUser> user;
            if (c.asOrdinaryUser)
                user.emplace();
            form.report().saveAsPdf();
        }

        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_TRUE(messages.messages[0].startsWith(QString("报告没有保存为 PDF 文件“%1”：%2。").arg(path, c.reason)))
            << messages.messages[0].toStdString();
        EXPECT_EQ(contents(), before);
    }
}

// A figure opened from a file is computed at once, exactly as if its nine
// values had been typed and confirmed with Enter.
TEST(Form1, AFigureFromAFileFillsTheWindowAsTypingItDoes)
{
    const Typed second = testing::withValue(workedExample, 8, "1158.4209");
    const QByteArray gbkName("\xB6\xFE\xBA\xC5\xCB\xF8"); // 二号锁
    const struct {
        const char* name;
        QByteArray file;
        std::optional<std::size_t> choice;
        QStringList offered;
        testing::Typed typed; // what typing the same figure means
    } cases[] = {
        {"one figure, computed at once", (header + figureLine("一号锁", workedExample)).toUtf8(), std::nullopt, {}, workedExample},
        {"the second of two, from a GBK spreadsheet",
         QByteArray("\xC3\xFB\xB3\xC6,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n") + figureLine("P1", workedExample).toUtf8() + "# 复测\r\n"
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
        KeptSettings memory;
        Form1 form({.messages = &messages, .settings = &memory, .openFiles = &files, .chooser = &chooser});
        form.observationFiles().open();

        EXPECT_EQ(messages.messages, QStringList());
        EXPECT_EQ(chooser.offered, c.offered);
        EXPECT_EQ(files.titles, QStringList{"打开观测文件"});
        EXPECT_TRUE(testing::stateOf(form, memory) == testing::typedCompute(c.typed));
    }
}

// A file with a line that holds no figure opens all the same: the real list
// shows every line, the bad one greyed with its fault, its name's escape
// sequence shown rather than obeyed, never selected; the figure chosen is
// computed as typing it would be, and while its results are shown the
// window's title names it, its pages carry its name and line above the
// report's lines (which stay as they are), and its drawing names its
// points. Typing a value makes the figure a typed one again.
TEST(Form1, AFileWithABadLineListsItGreyedAndTheTitleNamesTheFigureShown)
{
    const Typed second = testing::withValue(workedExample, 8, "1158.3759");
    const QString names = QStringLiteral(",GP01,K1,GP02,K2\n");
    QTemporaryDir folder;
    writeFile(folder.filePath("测区.csv"),
              ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\n" + figureLine("一号锁", workedExample).chopped(1)
               + names + figureLine("\x1b[31m坏锁", testing::withValue(workedExample, 1, "12O4.337")).chopped(1) + names
               + figureLine("二号锁", second).chopped(1) + ",GP01,K3,GP02,K4\n")
                  .toUtf8());
    ScriptedOpenDialog files(folder.filePath("测区.csv"));
    ScriptedDialog dialog;
    RecordingMessages messages;
    KeptSettings memory;
    memory.figurePage = true;
    PrintRecorder printer;
    const QString pdf = folder.filePath("report.pdf");
    ScriptedSaveDialog saveTo(pdf);
    Form1 form({.input = &dialog, .messages = &messages, .settings = &memory, .saveFiles = &saveTo,
                .openFiles = &files, .print = printer.job()});

    QStringList listed;
    std::vector<bool> enabled;
    int current = -1;
    bool canCompute = false;
    Qt::TextFormat aboutFormat = Qt::AutoText;
    ModalDriver driver([&](QWidget* up) {
        auto* list = up->findChild<QListWidget*>("figures");
        if (!list)
            return true;
        aboutFormat = up->findChild<QLabel*>()->textFormat();
        for (int row = 0; row < list->count(); ++row) {
            listed << list->item(row)->text();
            enabled.push_back(list->item(row)->flags().testFlag(Qt::ItemIsEnabled)
                              && list->item(row)->flags().testFlag(Qt::ItemIsSelectable));
        }
        current = list->currentRow();
        canCompute = up->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        list->setCurrentRow(2);
        static_cast<QDialog*>(up)->accept();
        return false;
    });
    form.observationFiles().open();

    EXPECT_EQ(listed, QStringList({"第 2 行  一号锁", "第 3 行  \\x1b[31m坏锁：第 3 行第 3 列（Ya）的“12O4.337”不是数字",
                                   "第 4 行  二号锁"}));
    EXPECT_EQ(enabled, std::vector<bool>({true, false, true}));
    EXPECT_EQ(aboutFormat, Qt::PlainText) << "the file's name is never markup";
    EXPECT_EQ(current, 0);
    EXPECT_TRUE(canCompute);
    EXPECT_EQ(messages.messages, QStringList());
    EXPECT_TRUE(testing::stateOf(form, memory) == testing::typedCompute(second));
    EXPECT_EQ(form.window()->windowTitle(), "Korvane — 二号锁");

    form.Command3_Click();
    ASSERT_EQ(printer.headers.size(), 1u);
    ASSERT_TRUE(printer.headers[0].has_value());
    EXPECT_EQ(printer.headers[0]->left, "二号锁 · 第 4 行");
    form.report().saveAsPdf();
    ASSERT_EQ(messages.messages, QStringList());
    const QString alone = folder.filePath("alone.pdf");
    saveReportAsPdf(alone, form.compute().observations(), form.compute().result());
    const QStringList first = pdfLines(pdf, 1);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(QRegularExpression("^二号锁 · 第 4 行 \\d{4}-\\d{2}-\\d{2}$").match(first[0]).hasMatch())
        << first[0].toStdString();
    EXPECT_EQ(first.mid(1), pdfLines(alone, 1));
    const QString page = pdfLines(pdf, 2).join('\n');
    for (const char* text : {"网图与检核 — 二号锁 · 第 4 行", "K3 在 GP01→GP02 的左侧，K4 在右侧"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text << " not on page 2:\n" << page.toStdString();

    // Cancel at once leaves the figure shown as it was; a value typed makes
    // it a typed one, whose compute stopped
    dialog.add(testing::cancelled());
    form.Command1_Click();
    EXPECT_EQ(form.window()->windowTitle(), "Korvane — 二号锁");
    dialog.add(testing::confirmed({"3521.5"}) + testing::cancelled());
    form.Command1_Click();
    EXPECT_EQ(form.window()->windowTitle(), "Korvane");
    EXPECT_FALSE(form.compute().identity().fromFile());
}

// An observation file that cannot be used says so and leaves the window as
// the last compute left it.
TEST(Form1, AFileWithAFaultChangesNothing)
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
        {"a line longer than 64 KiB, the file's only one", (header + QString(70000, u'9') + u'\n').toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行超过 64 KiB，不是观测数据。请改正观测文件后再打开。"},
        {"a point's name with a semicolon", ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程,B点名\n" +
                                            figureLine("P1", workedExample).chopped(1) + ",612.5,K;1\n").toUtf8(),
         std::nullopt,
         "观测文件“%1”第 2 行第 12 列（B点名）的“K;1”不能用作点名：点名为 1 至 32 个字符，不含逗号、分号、双引号和控制字符。"
         "请改正观测文件后再打开。"},
        {"a mean height that is not a number", ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程\n" +
                                               figureLine("P1", workedExample).chopped(1) + ",6l2.5\n").toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行第 11 列（平均高程）的“6l2.5”不是数字。请改正观测文件后再打开。"},
        {"an escape sequence in the file's only line",
         (header + "P1,3521.418,\x1b[2J\x1b[31m,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\n").toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行第 3 列（Ya）的“\\x1b[2J\\x1b[31m”不是数字。请改正观测文件后再打开。"},
        {"a cell of 20 000 characters", (header + "P1,3521.418," + QString(20000, u'测') + ",4497.112,2188.650,902.1006,"
                                                  "870.9382,889.6279,951.5497,1158.3709\n").toUtf8(),
         std::nullopt, "观测文件“%1”第 2 行第 3 列（Ya）的“测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测测…”不是数字。"
                        "请改正观测文件后再打开。"},
        {"a header and no figure", header.toUtf8(), std::nullopt, "观测文件“%1”中只有表头，没有图形。"},
        {"the choice cancelled", (header + figureLine("P1", workedExample) + figureLine("P2", workedExample)).toUtf8(), std::nullopt,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString path = folder.filePath("测区.csv");
        if (c.file)
            writeFile(path, *c.file);
        ScriptedDialog dialog;
        typeAll(dialog, testing::withValue(workedExample, 0, "3521.5"));
        ScriptedOpenDialog files(path);
        ScriptedChooser chooser(c.choice);
        RecordingMessages messages;
        KeptSettings memory;
        Form1 form({.input = &dialog, .messages = &messages, .settings = &memory, .openFiles = &files,
                    .chooser = &chooser});
        form.Command1_Click();
        const WindowState before = testing::stateOf(form, memory);

        form.observationFiles().open();
        EXPECT_EQ(messages.messages, c.message ? QStringList{QString::fromUtf8(c.message).arg(path)} : QStringList());
        EXPECT_TRUE(testing::stateOf(form, memory) == before);
    }
}

// A figure from a file that cannot be computed leaves the window as typing
// it would: the report, the copy and the export are refused alike.
TEST(Form1, AFigureFromAFileThatCannotBeComputedRefusesTheReportAsTypingDoes)
{
    QTemporaryDir folder;
    const Typed noTriangle = testing::withValue(workedExample, 8, "2000");
    writeFile(folder.filePath("测区.csv"), (header + figureLine("P1", noTriangle)).toUtf8());
    ScriptedOpenDialog files(folder.filePath("测区.csv"));
    RecordingMessages messages;
    KeptSettings memory;
    PrintRecorder printer;
    ScriptedSaveDialog exportTo(folder.filePath("测区.dat"));
    Form1 form({.messages = &messages, .settings = &memory, .saveFiles = &exportTo, .openFiles = &files,
                .print = printer.job()});
    form.observationFiles().open();
    form.Command3_Click();
    form.results().copyAll();
    form.results().exportPoints();

    EXPECT_EQ(printer.prints, 0);
    EXPECT_TRUE(exportTo.asked.empty());
    EXPECT_EQ(messages.messages, QStringList({"三角形 A-B-D 的三条边 S1、S5、S6 不能构成三角形，请检查观测边长。",
                                              refused, QString::fromStdString(copyRefusedMessage()),
                                              QString::fromStdString(exportRefusedMessage())}));
    EXPECT_TRUE(testing::stateOf(form, memory) == testing::typedCompute(noTriangle));
}

// Saved through the window, the nine values as entered open again as the
// same figure, to the last bit of every record.
TEST(Form1, SaveWritesTheNineValuesAsEnteredThatOpenAgainAsTheSameFigure)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("一号锁.csv");
    ScriptedDialog dialog;
    typeAll(dialog, workedExample);
    dialog.add(QString()); // the figure's name: Enter takes the file's
    RecordingMessages messages;
    KeptSettings memory;
    ScriptedSaveDialog files(path);
    ScriptedOpenDialog open(path);
    Form1 form({.input = &dialog, .messages = &messages, .settings = &memory, .saveFiles = &files,
                .openFiles = &open});

    form.observationFiles().save();
    EXPECT_EQ(messages.messages, QStringList{nothingToSaveMessage()});
    EXPECT_TRUE(files.asked.empty());

    form.Command1_Click();
    form.observationFiles().save();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, "保存观测文件");
    EXPECT_EQ(files.asked[0].filter, "观测文件 (*.csv)");
    EXPECT_EQ(dialog.prompts.last(), "图形名称：");
    EXPECT_EQ(dialog.offers.last(), "一号锁");
    EXPECT_EQ(readFile(path), "\xEF\xBB\xBF名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\r\n"
                              "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709\r\n");
    EXPECT_EQ(messages.messages.size(), 1);

    // opened again, it computes what was typed
    const WindowState typed = testing::stateOf(form, memory);
    form.observationFiles().open();
    EXPECT_TRUE(testing::stateOf(form, memory) == typed);
}

// What a compute leaves that a surveyor sees or keeps: the fields, the
// records, the check line, the report's lines and the observation file saved.
struct Kept {
    QMap<QString, QString> fields;
    std::vector<std::uint64_t> records;
    QString checkLine;
    QStringList reportLines;
    QByteArray savedFile;
    bool operator==(const Kept&) const = default;
};

Kept computedAndSaved(const Typed& values, KeptSettings& settings)
{
    ScriptedDialog dialog;
    typeAll(dialog, values);
    dialog.add(QStringLiteral("F1")); // the name of the figure saved
    RecordingMessages messages;
    QTemporaryDir folder;
    ScriptedSaveDialog files(folder.filePath("saved.csv"));
    Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .saveFiles = &files});
    form.Command1_Click();
    form.observationFiles().save();
    EXPECT_EQ(messages.messages, QStringList());
    Kept kept{testing::fieldTexts(form), testing::bits(form.compute().result()),
              form.findChild<QLabel*>("CheckLine")->text(), {}, readFile(folder.filePath("saved.csv"))};
    for (const testing::PrintedLine& line : testing::printedLines(form.compute().observations(), form.compute().result()))
        kept.reportLines << line.text;
    return kept;
}

// A reduction kept but switched off leaves every field, record, line of the
// report and saved file of every checked network exactly as a window that
// never had one.
TEST(Form1, AReductionSwitchedOffLeavesEveryFieldLineAndFileAsBefore)
{
    for (const testing::CheckedNetwork& network : testing::checkedNetworks()) {
        SCOPED_TRACE(network.name);
        KeptSettings never;
        KeptSettings off;
        off.rememberReduction({false, 600, 0, true, 38500000});
        EXPECT_TRUE(computedAndSaved(testing::typedValues(network.measured), never)
                    == computedAndSaved(testing::typedValues(network.measured), off));
    }
}

// Reduced, the fields show what was typed and the saved file keeps it; the
// report lists the reduced sides as the measured ones. A file's own 平均高程
// stands in for the setting's mean height.
TEST(Form1, ReducedSidesAreShownAndSavedAsTypedAndReportedAsReduced)
{
    const testing::GridFigure& grid = testing::groundDistancesOnTheNationalGrid();
    const Typed typed = testing::typedValues(grid.measured);
    KeptSettings settings;
    settings.rememberReduction(grid.reduction);
    const Kept reduced = computedAndSaved(typed, settings);
    KeptSettings plain;
    EXPECT_EQ(reduced.fields.value("Text5"), "  1000.0235");
    EXPECT_EQ(reduced.fields.value("Text10"), "  1358.6086");
    EXPECT_EQ(reduced.savedFile, computedAndSaved(typed, plain).savedFile);
    EXPECT_TRUE(reduced.reportLines.join('\n').contains("999.9550")) << reduced.reportLines.join('\n').toStdString();
    EXPECT_FALSE(reduced.reportLines.join('\n').contains("1000.0235"));

    // the file's own mean height with the setting's at sea level
    QTemporaryDir folder;
    writeFile(folder.filePath("国家网.csv"),
              ("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程\n" + figureLine("G1", typed).chopped(1) + ",600\n").toUtf8());
    KeptSettings atSeaLevel;
    atSeaLevel.rememberReduction({true, 0, 0, true, 38500000});
    ScriptedOpenDialog open(folder.filePath("国家网.csv"));
    RecordingMessages messages;
    Form1 form({.messages = &messages, .settings = &atSeaLevel, .openFiles = &open});
    form.observationFiles().open();
    ASSERT_EQ(messages.messages, QStringList());
    EXPECT_EQ(testing::bits(form.compute().result()), reduced.records);
}

// The worked example, S6 5 cm long, the long thin figure, B 1 mm off A-C
// and a figure whose sides fit exactly, typed into the window: the verdict
// in its colour's words, the table of the figure in its window and on the
// page after the report, each number of the independent computation.
TEST(Form1, FiguresAtTheEdgesOfTheCheckInTheWindowAndOnThePage)
{
    const Observations exact{3521.418, 1204.337, 4497.112, 2188.650, 902.0974047463, 870.9351790834,
                             889.6248083614, 951.5467789410, 1158.3733649964};
    const struct {
        const char* name;
        Observations figure;
        FigureVerdict verdict;
        const char* verdictWords; // after the limit
        QStringList onThePage;    // the table's rows and sentences, as the page reads
    } cases[] = {
        {"worked example", testing::checkedNetworks()[0].measured, FigureVerdict::Sound, "），合格",
         {"B 3.49 3.41 4.88 3.50 3.40 159.8", "D 3.47 3.56 4.97 3.62 3.40 57.6", "S1 16.4 26.7 22.0 7.0",
          "S5 16.0 27.8 7.8 23.2", "闭合差相当于边长尺度误差 \u22127.24 ppm",
          "任一边小于 27.8 毫米的粗差可能发现不了；这样的粗差最多使 B 移动 22.0 毫米，D 移动 23.2 毫米"}},
        {"S6 5 cm long", testing::checkedNetworks()[1].measured, FigureVerdict::BeyondLimit,
         "），超限：只有一个多余观测，无法判断哪条边有粗差，请检查输入或重测。闭合差相当于边长尺度误差 +22.91 ppm：边长是否已归算到投影面？",
         {"S1 16.4 26.7 22.0 7.0 -48.7", "S6 34.6 20.9 7.8 7.0 +38.0", "请与外业记录比较"}},
        {"long thin", testing::checkedNetworks()[8].measured, FigureVerdict::Weak,
         "），图形较弱：三角形 A-B-C 在 A 的角为 8.5°（规范要求三角形内角不小于 30°），本检核不可靠",
         {"任一边小于 68.6 毫米的粗差可能发现不了；这样的粗差最多使 B 移动 41.1 毫米，D 移动 48.9 毫米"}},
        {"B 1 mm off A-C", testing::bOffTheLine(), FigureVerdict::Weak,
         "），图形较弱：三角形 A-B-C 在 C 的角为 0.0°（规范要求三角形内角不小于 30°），本检核不可靠",
         {"S1 43.4 12.1 — —", "B 4.68 2.13 5.14 4.69 2.12 2.5", "D 3.28 3.93 5.12 3.93 3.28 90.0",
          "加上这样的粗差，图形无法计算"}},
        {"sides that fit exactly", exact, FigureVerdict::Sound, "），合格",
         {"B 3.49 3.41 4.88 3.50 3.40 159.8", "B 0.00 0.00", "误差椭圆放大 20000 倍"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialog dialog;
        typeAll(dialog, testing::typedValues(c.figure));
        RecordingMessages messages;
        KeptSettings settings;
        settings.figurePage = true;
        QTemporaryDir folder;
        ScriptedSaveDialog files(folder.filePath("report.pdf"));
        Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .saveFiles = &files});
        form.FigureWindow_Open();
        form.Command1_Click();
        ASSERT_EQ(messages.messages, QStringList());

        const QString line = form.findChild<QLabel*>("CheckLine")->text().replace(QChar::Nbsp, u' ');
        EXPECT_TRUE(line.endsWith(QString::fromUtf8(c.verdictWords))) << line.toStdString();
        const auto* sheet = std::get_if<FigureSheet>(&form.findChild<FigureWindow*>()->figure());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->verdict, c.verdict);
        EXPECT_EQ(QString::fromStdString(sheet->checkLine), line);
        EXPECT_TRUE(sheet->magnification >= 1000 && sheet->magnification <= 20000) << sheet->magnification;

        // the page wraps its long lines where it must: read without blanks
        const auto unwrapped = [](QString text) { return text.remove(QRegularExpression("\\s")); };
        form.report().saveAsPdf();
        const QString page = unwrapped(testing::pdfText(folder.filePath("report.pdf"), 2));
        EXPECT_TRUE(page.contains(unwrapped(QString::fromUtf8(c.verdictWords)))) << page.toStdString();
        for (const QString& text : c.onThePage)
            EXPECT_TRUE(page.contains(unwrapped(text))) << text.toStdString() << " not on page 2:\n"
                                                        << page.toStdString();
    }
}

} // namespace
} // namespace korvane
