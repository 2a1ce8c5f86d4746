#include "fakes.h"
#include "form1.h"
#include "qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvane {
namespace {

// Each time a modal dialog is up, hands it to `answer`, from a zero-length
// timer as the dialog's own event loop runs. Stops when `answer` returns false.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool(QWidget*)> answer) : answer_(std::move(answer))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != last_) {
                last_ = modal;
                if (!answer_(modal))
                    timer_.stop();
            }
        });
        timer_.start();
    }

private:
    std::function<bool(QWidget*)> answer_;
    QTimer timer_;
    QWidget* last_ = nullptr;
};

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
    const std::optional<QString> reply = input.ask(QStringLiteral("请输入已知点 A 的纵座标 Xa:"), QString());

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
    EXPECT_FALSE(input.ask(QStringLiteral("?"), QStringLiteral("7")).has_value());
    EXPECT_TRUE(noWindowLeft());
}

// A remembered value stands in the field, selected: Enter alone takes it,
// and the first key typed replaces it.
TEST(QtInputDialog, OffersTheRememberedValueSelected)
{
    const struct {
        const char* name;
        const char* typed;
        const char* reply;
    } cases[] = {
        {"Enter alone", "", "594.0588"},
        {"typed over", "594.0599", "594.0599"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString fieldAtStart, selectedAtStart;
        bool focused = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>();
            fieldAtStart = field->text();
            selectedAtStart = field->selectedText();
            focused = modal->focusWidget() == field;
            QTest::keyClicks(field, QString::fromUtf8(c.typed));
            QTest::keyClick(field, Qt::Key_Return);
            return false;
        });
        QtInputDialog input(nullptr);
        const std::optional<QString> reply =
            input.ask(QStringLiteral("请输入 A--B 观测边长 S1: "), QStringLiteral("594.0588"));
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(*reply, QString::fromUtf8(c.reply));
        EXPECT_EQ(fieldAtStart, QStringLiteral("594.0588"));
        EXPECT_EQ(selectedAtStart, QStringLiteral("594.0588"));
        EXPECT_TRUE(focused);
        EXPECT_TRUE(noWindowLeft());
    }
}

TEST(QtMessageSink, ShowsAWarningTitledKorvaneWithAChineseButton)
{
    QString title, text;
    QStringList buttons;
    ModalDriver driver([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        title = box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        QTest::keyClick(box, Qt::Key_Return);
        return false;
    });
    QtMessageSink sink(nullptr);
    sink.tell(QStringLiteral("没有默认打印机。"));
    EXPECT_EQ(title, QStringLiteral("Korvane"));
    EXPECT_EQ(text, QStringLiteral("没有默认打印机。"));
    EXPECT_EQ(buttons, QStringList{"确定"});
    EXPECT_TRUE(noWindowLeft());
}

// The whole compute command through the window's own dialogs: the operator
// types each value and presses Enter on every confirmation.
TEST(QtInputDialog, DrivesAWholeComputeOfTheWindow)
{
    const QStringList typed{"1000", "1000", "1000", "1600", "500", "500", "500", "500", "800"};
    QStringList replies;
    for (const QString& value : typed)
        replies << value << QString();
    QStringList prompts;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        if (!dialog || replies.isEmpty())
            return false;
        prompts << dialog->labelText();
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), replies.takeFirst());
        QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
        return !replies.isEmpty();
    });

    testing::RecordingMessages messages;
    Form1 form(nullptr, &messages);
    form.show();
    form.Command1_Click();

    EXPECT_EQ(prompts.size(), 18);
    EXPECT_EQ(messages.messages, QStringList());
    EXPECT_TRUE(form.lastComputeFinished());
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
