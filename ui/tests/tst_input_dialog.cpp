#include "fakes.h"
#include "form1.h"
#include "layout.h"
#include "qt_dialogs.h"
#include "save_file_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvane {
namespace {

using testing::ModalDriver;

QStringList buttonTexts(QWidget* dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisible())
            texts << button->text();
    texts.sort();
    return texts;
}

bool noWindowLeft()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return false;
    return true;
}

TEST(QtInputDialog, ShowsThePromptAloneOverAnEmptyFieldWithChineseButtons)
{
    QStringList seen;
    QString fieldAtStart = QStringLiteral("<not seen>");
    QStringList buttons;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        if (!dialog)
            return false;
        seen << dialog->labelText() << dialog->windowTitle();
        auto* field = dialog->findChild<QLineEdit*>();
        fieldAtStart = field->text();
        buttons = buttonTexts(dialog);
        QTest::keyClicks(field, QStringLiteral("512.34567"));
        QTest::keyClick(field, Qt::Key_Return);
        return false;
    });

    QtInputDialog input(nullptr);
    const std::optional<QString> reply = input.ask(QStringLiteral("请输入已知点 A 的纵座标 Xa:"), QString(), "Text1", {});

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, QStringLiteral("512.34567"));
    EXPECT_EQ(seen, QStringList({"请输入已知点 A 的纵座标 Xa:", ""}));
    EXPECT_EQ(fieldAtStart, QString());
    EXPECT_EQ(buttons, QStringList({"取消", "确定"}));
    EXPECT_TRUE(noWindowLeft());
}

TEST(QtInputDialog, CancelGivesNoText)
{
    ModalDriver driver([](QWidget* modal) {
        QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("12"));
        QTest::keyClick(modal, Qt::Key_Escape);
        return false;
    });
    QtInputDialog input(nullptr);
    EXPECT_FALSE(input.ask(QStringLiteral("?"), QStringLiteral("7"), "Text1", {}).has_value());
    EXPECT_TRUE(noWindowLeft());
}

// A remembered value stands in the field, selected: Enter alone takes it,
// and the first key typed replaces it. A refused text comes back the same
// way, with why it was refused in a line under the field; the prompt keeps
// its own words.
TEST(QtInputDialog, OffersTheRememberedValueSelected)
{
    const struct {
        const char* name;
        const char* offered;
        const char* refusal; // "": none
        const char* typed;
        const char* reply;
    } cases[] = {
        {"Enter alone", "594.0588", "", "", "594.0588"},
        {"typed over", "594.0588", "", "594.0599", "594.0599"},
        {"a refused text, mended", "594,0588", "小数点用逗号：请改用“.”", "594.0588", "594.0588"},
    };
    const QString prompt = QStringLiteral("请输入 A--B 观测边长 S1: ");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString fieldAtStart, selectedAtStart, promptShown;
        QStringList refusalShown;
        bool focused = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>();
            fieldAtStart = field->text();
            selectedAtStart = field->selectedText();
            focused = modal->focusWidget() == field;
            promptShown = qobject_cast<QInputDialog*>(modal)->labelText();
            for (const QLabel* line : modal->findChildren<QLabel*>("refusal"))
                if (line->isVisible() && line->geometry().top() > field->geometry().bottom())
                    refusalShown << line->text();
            QTest::keyClicks(field, QString::fromUtf8(c.typed));
            QTest::keyClick(field, Qt::Key_Return);
            return false;
        });
        QtInputDialog input(nullptr);
        const std::optional<QString> reply =
            input.ask(prompt, QString::fromUtf8(c.offered), "Text5", QString::fromUtf8(c.refusal));
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(*reply, QString::fromUtf8(c.reply));
        EXPECT_EQ(fieldAtStart, QString::fromUtf8(c.offered));
        EXPECT_EQ(selectedAtStart, QString::fromUtf8(c.offered));
        EXPECT_TRUE(focused);
        EXPECT_EQ(promptShown, prompt);
        EXPECT_EQ(refusalShown, *c.refusal ? QStringList{QString::fromUtf8(c.refusal)} : QStringList());
        EXPECT_TRUE(noWindowLeft());
    }
}

TEST(QtMessageSink, ShowsAWarningTitledKorvaneWithChineseButtons)
{
    struct Case {
        const char* name;
        bool offer; // "保存为 PDF…" beside closing
        Qt::Key key;
        QStringList buttons;
        bool taken;
    };
    const Case cases[] = {
        {"a message, closed with Enter", false, Qt::Key_Return, {"确定"}, false},
        {"an offer, taken with Enter", true, Qt::Key_Return, {"保存为 PDF…", "取消"}, true},
        {"an offer, declined with Escape", true, Qt::Key_Escape, {"保存为 PDF…", "取消"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString title, text;
        QStringList buttons;
        Qt::TextFormat format = Qt::AutoText;
        ModalDriver driver([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            buttons = buttonTexts(box);
            QTest::keyClick(box, c.key);
            return false;
        });
        QtMessageSink sink(nullptr);
        bool taken = false;
        if (c.offer)
            taken = sink.offer(QStringLiteral("没有默认打印机。"), QStringLiteral("保存为 PDF…"));
        else
            sink.tell(QStringLiteral("没有默认打印机。"));
        EXPECT_EQ(title, QStringLiteral("Korvane"));
        EXPECT_EQ(text, QStringLiteral("没有默认打印机。"));
        EXPECT_EQ(format, Qt::PlainText) << "a name in a message is never markup";
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_EQ(taken, c.taken);
        EXPECT_TRUE(noWindowLeft());
    }
}

// The name typed without ".pdf" gets it before the dialog looks for an older
// file of that name, so replacing an archived report is asked first.
TEST(QtSaveFileDialog, ProposesTheNameInChineseAndAsksBeforeReplacingAReport)
{
    QTemporaryDir folder;
    QFile older(folder.filePath("测区 12.3.pdf"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.close();

    QStringList seen;
    QString question;
    ModalDriver driver([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            seen << dialog->windowTitle() << dialog->nameFilters().join(";;") << dialog->directory().absolutePath()
                 << name->text() << dialog->labelText(QFileDialog::LookIn) << dialog->labelText(QFileDialog::FileName)
                 << dialog->labelText(QFileDialog::FileType) << dialog->labelText(QFileDialog::Accept)
                 << dialog->labelText(QFileDialog::Reject);
            name->setText("测区 12.3");
            // after this call: the question it raises must find the driver free
            QTimer::singleShot(0, dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save),
                               &QAbstractButton::click);
            return true;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        }
        return false;
    });

    QtSaveFileDialog files(nullptr);
    const std::optional<QString> chosen =
        files.askSavePath("保存报告为 PDF", "PDF 文件 (*.pdf)", folder.filePath("Korvane-20240102-030405.pdf"));

    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder.filePath("测区 12.3.pdf"));
    EXPECT_EQ(seen, QStringList({"保存报告为 PDF", "PDF 文件 (*.pdf)", QDir(folder.path()).absolutePath(),
                                 "Korvane-20240102-030405.pdf", "保存在：", "文件名：", "文件类型：", "保存", "取消"}));
    EXPECT_TRUE(question.contains("测区 12.3.pdf")) << question.toStdString();
    EXPECT_TRUE(noWindowLeft());
}

// The file type chosen in the dialog names a file that has no suffix of the
// types on offer; a name that has one keeps it.
TEST(QtSaveFileDialog, AddsTheChosenTypesSuffix)
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

// The whole compute command through the window's own dialogs: the operator
// types each value and presses Enter on every confirmation. No dialog covers
// the field that echoes its value, nor the field's caption.
TEST(QtInputDialog, DrivesAWholeComputeOfTheWindow)
{
    const QStringList typed{"1000", "1000", "1000", "1600", "500", "500", "500", "500", "800"};
    const char* const fields[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text8", "Text9", "Text10"};
    QStringList replies;
    for (const QString& value : typed)
        replies << value << QString();

    testing::RecordingMessages messages;
    testing::KeptSettings settings;
    Form1 form({.messages = &messages, .settings = &settings});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto onScreen = [&form](const char* name) {
        const QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    };

    QStringList prompts;
    QStringList covered;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        if (!dialog || replies.isEmpty())
            return false;
        const char* about = fields[prompts.size() / 2];
        prompts << dialog->labelText();
        if (dialog->frameGeometry().intersects(onScreen(about))
            || dialog->frameGeometry().intersects(onScreen(layout::find(about)->captionLabel)))
            covered << dialog->labelText();
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), replies.takeFirst());
        QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
        return !replies.isEmpty();
    });
    form.Command1_Click();

    EXPECT_EQ(prompts.size(), 18);
    EXPECT_EQ(covered, QStringList());
    EXPECT_EQ(messages.messages, QStringList());
    EXPECT_TRUE(form.compute().finished());
    EXPECT_EQ(form.findChild<QLineEdit*>("Text10")->text(), QStringLiteral("  800.0000"));
    // a rhombus of 500 m sides on the 600 m diagonal A-C has the diagonal
    // B-D of 800 m: consistent, without misclosure
    EXPECT_EQ(form.findChild<QLineEdit*>("Text7")->text(), QStringLiteral("  600.0000"));
    EXPECT_EQ(form.findChild<QLineEdit*>("Text17")->text(), QStringLiteral(" 0.00秒"));
    EXPECT_EQ(form.findChild<QLineEdit*>("Text12")->text(), QStringLiteral(" 1400.000"));
    EXPECT_EQ(form.findChild<QLineEdit*>("Text15")->text(), QStringLiteral(" 600.000"));
    EXPECT_EQ(form.findChild<QLineEdit*>("Text16")->text(), QStringLiteral(" 1300.000"));
    form.close();
    EXPECT_TRUE(noWindowLeft());
}

} // namespace
} // namespace korvane
