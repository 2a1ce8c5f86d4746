#include "accuracy_dialog.h"
#include "fakes.h"
#include "form1.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace korvane {
namespace {

using testing::ModalDriver;
using testing::RecordingMessages;
using testing::ScriptedAccuracyDialog;

const char* const range = "请输入 0 到 100 之间的数。";

// Each row is typed over the default 2 mm + 2 ppm; a refused row is offered
// again as typed, and then cancelled.
TEST(AccuracyDialog, RefusesWhatNamesNoInstrumentSayingWhichValueAndWhy)
{
    struct Case {
        const char* name;
        AccuracyTexts typed;
        std::optional<DistanceAccuracy> accepted;
        QString refusal; // when not accepted
    };
    const QString a = "固定误差 a（毫米）";
    const QString b = "比例误差 b（ppm）";
    const Case cases[] = {
        {"a left empty", {" ", "2"}, {}, a + "没有填写。" + range},
        {"a in letters", {"abc", "2"}, {}, a + "“abc”不是可用的数。" + range},
        {"a with a decimal comma", {"1,5", "2"}, {}, a + "“1,5”不是可用的数。" + range},
        {"a not a number", {"nan", "2"}, {}, a + "“nan”不是可用的数。" + range},
        {"a beyond a double", {"1e999", "2"}, {}, a + "“1e999”不是可用的数。" + range},
        {"a negative", {"-0.5", "2"}, {}, a + "“-0.5”超出了范围。" + range},
        {"a above 100 mm", {"100.01", "2"}, {}, a + "“100.01”超出了范围。" + range},
        {"b left empty", {"2", ""}, {}, b + "没有填写。" + range},
        {"b infinite", {"2", "-inf"}, {}, b + "“-inf”不是可用的数。" + range},
        {"b above 100 ppm", {"2", "150"}, {}, b + "“150”超出了范围。" + range},
        {"b full-width and negative", {"2", "－１"}, {}, b + "“－１”超出了范围。" + range},
        {"both zero", {"0", "0.0"}, {},
         "固定误差 a 和比例误差 b 不能都为 0：没有误差的测距仪并不存在，那样任何闭合差都会超限。"},
        {"full-width digits of a Chinese input method", {"３", "１．５"}, DistanceAccuracy{3, 1.5}, {}},
        {"the bounds", {"100", "100"}, DistanceAccuracy{100, 100}, {}},
        {"a constant part alone", {"1", "0"}, DistanceAccuracy{1, 0}, {}},
        {"a scale part alone, blanks around", {" 0 ", " 5 "}, DistanceAccuracy{0, 5}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedAccuracyDialog dialog{c.typed, std::nullopt};
        RecordingMessages messages;
        const std::optional<DistanceAccuracy> chosen = askAccuracy(dialog, messages, defaultAccuracy);
        EXPECT_EQ(chosen, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(messages.messages, QStringList());
            EXPECT_EQ(dialog.offers.size(), 1u);
        } else {
            EXPECT_EQ(messages.messages, QStringList{c.refusal});
            ASSERT_EQ(dialog.offers.size(), 2u);
            EXPECT_EQ(dialog.offers[1], c.typed) << "the refused texts are offered to be mended";
        }
        EXPECT_EQ(dialog.offers.front(), (AccuracyTexts{"2", "2"}));
    }
}

QStringList labelTexts(QWidget* dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// The surveyor at the real menu and dialog: a right click on 平差计算, the
// accuracy item, a value out of range refused, mended, and taken.
TEST(QtAccuracyDialog, TakesTheAccuracyFromTheComputeButtonsMenuThroughTheRealDialog)
{
    RecordingMessages messages;
    testing::KeptSettings settings;
    Form1 form({.messages = &messages, .settings = &settings});
    auto* compute = form.findChild<QPushButton*>("Command1");
    EXPECT_EQ(compute->toolTip(), "左键平差计算；右键可设置测距精度和边长归算、打开网图与检核、打开或保存观测文件");

    QStringList menuItems, titles, labels;
    QList<AccuracyTexts> offered;
    QString selected;
    int dialogs = 0;
    ModalDriver driver([&](QWidget* up) {
        if (auto* menu = qobject_cast<QMenu*>(up)) {
            for (const QAction* action : menu->actions())
                menuItems << action->text();
            menu->setActiveAction(menu->actions().value(0));
            QTest::keyClick(menu, Qt::Key_Return);
            return true;
        }
        auto* dialog = qobject_cast<QDialog*>(up);
        if (!dialog)
            return false;
        auto* a = dialog->findChild<QLineEdit*>("constantMm");
        auto* b = dialog->findChild<QLineEdit*>("ppm");
        titles << dialog->windowTitle();
        labels = labelTexts(dialog);
        offered << AccuracyTexts{a->text(), b->text()};
        if (++dialogs == 1) {
            selected = a->selectedText();
            // typed over the selected value by a Chinese input method
            QInputMethodEvent typing;
            typing.setCommitString("１５０");
            QApplication::sendEvent(a, &typing);
        } else {
            a->selectAll();
            QTest::keyClicks(a, "0.5");
            b->selectAll();
            QTest::keyClicks(b, "1");
        }
        QTest::keyClick(a, Qt::Key_Return);
        return dialogs < 2;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, compute->rect().center(),
                            compute->mapToGlobal(compute->rect().center()));
    QApplication::sendEvent(compute, &event);

    EXPECT_EQ(menuItems, (QStringList{"测距精度…", "边长归算…", "网图与检核…", "打开观测文件…", "保存观测文件…"}));
    EXPECT_EQ(titles, QStringList({"测距精度", "测距精度"}));
    EXPECT_TRUE(labels.contains("固定误差 a（毫米）"));
    EXPECT_TRUE(labels.contains("比例误差 b（ppm）"));
    EXPECT_EQ(selected, "2");
    EXPECT_EQ(offered, (QList<AccuracyTexts>{{"2", "2"}, {"１５０", "2"}}));
    EXPECT_EQ(messages.messages, QStringList{QString("固定误差 a（毫米）“１５０”超出了范围。") + range});
    EXPECT_EQ(form.compute().accuracy(), (DistanceAccuracy{0.5, 1}));

    // kept in the settings: the next start offers it
    Form1 restarted({.messages = &messages, .settings = &settings});
    EXPECT_EQ(restarted.compute().accuracy(), (DistanceAccuracy{0.5, 1}));
}

} // namespace
} // namespace korvane
