#include "reduction_dialog.h"

#include "checked_networks.h"
#include "fakes.h"
#include "form1.h"
#include "instrument_settings.h"
#include "window_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace korvane {
namespace {

using testing::KeptSettings;
using testing::ModalDriver;
using testing::RecordingMessages;
using testing::ScriptedReductionDialog;

const QString heights = "请输入 -10000 到 10000 之间的数。";
const QString constants = "请输入 0 到 120500000 之间的数。";
const QString meanHeight = "测区平均高程 H_m（米）";
const QString planeHeight = "投影面高程 H_0（米）";
const QString yConstant = "Y 坐标加常数（米）";

// Each row is typed over what is offered; a refused row is offered again as
// typed, and then cancelled. Only what the choices use is read.
TEST(ReductionDialog, RefusesWhatNoSurveyHasSayingWhichValueAndWhy)
{
    struct Case {
        const char* name;
        ReductionTexts typed;
        std::optional<DistanceReduction> accepted;
        QString refusal; // when not accepted
    };
    const Case cases[] = {
        {"H_m left empty", {true, " ", "0", false, ""}, {}, meanHeight + "没有填写。" + heights},
        {"H_m in letters", {true, "abc", "0", false, ""}, {}, meanHeight + "“abc”不是可用的数。" + heights},
        {"H_m above any site", {true, "10000.5", "0", false, ""}, {}, meanHeight + "“10000.5”超出了范围。" + heights},
        {"H_0 below any plane", {true, "600", "-10001", false, ""}, {}, planeHeight + "“-10001”超出了范围。" + heights},
        {"H_0 infinite", {true, "600", "1e999", false, ""}, {}, planeHeight + "“1e999”不是可用的数。" + heights},
        {"the Y constant negative", {true, "600", "0", true, "-500000"}, {},
         yConstant + "“-500000”超出了范围。" + constants},
        {"the Y constant beyond zone 120", {true, "600", "0", true, "120500001"}, {},
         yConstant + "“120500001”超出了范围。" + constants},
        {"full-width digits of a Chinese input method", {true, "６００", "－２０", true, "３８５０００００"},
         DistanceReduction{true, 600, -20, true, 38500000}, {}},
        {"the bounds", {true, "-10000", "10000", true, "120500000"},
         DistanceReduction{true, -10000, 10000, true, 120500000}, {}},
        {"without the Gauss correction its constant is not read", {true, "600", "0", false, "abc"},
         DistanceReduction{true, 600, 0, false, 500000}, {}},
        {"off: nothing is read or refused, what reads is kept", {false, "abc", "150", false, "38500000"},
         DistanceReduction{false, 0, 150, false, 38500000}, {}},
        {"off, the Gauss correction ticked: the choice is kept", {false, "600", "0", true, "38500000"},
         DistanceReduction{false, 600, 0, true, 38500000}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReductionDialog dialog{c.typed, std::nullopt};
        RecordingMessages messages;
        const std::optional<DistanceReduction> chosen = askReduction(dialog, messages, noReduction);
        EXPECT_EQ(chosen, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(messages.messages, QStringList());
            EXPECT_EQ(dialog.offers.size(), 1u);
        } else {
            EXPECT_EQ(messages.messages, QStringList{c.refusal});
            ASSERT_EQ(dialog.offers.size(), 2u);
            EXPECT_EQ(dialog.offers[1], c.typed) << "the refused texts are offered to be mended";
        }
        EXPECT_EQ(dialog.offers.front(), (ReductionTexts{false, "0", "0", false, "500000"}));
    }
}

// The reduction kept by an earlier run is the compute's from the start; a
// kept value that is missing or spoilt, or a reduction no survey has,
// reads as 不归算. Kept: the choice, H_m, H_0, the Gauss choice, the constant.
TEST(ReductionDialog, TheKeptReductionIsTheComputesFromTheStart)
{
    const struct {
        const char* name;
        std::array<const char*, 5> kept; // nullptr: not kept
        DistanceReduction reduction;
    } cases[] = {
        {"nothing kept", {}, noReduction},
        {"to the plane with the Gauss correction", {"true", "600", "0", "true", "38500000"},
         {true, 600, 0, true, 38500000}},
        {"off, its values kept to be offered", {"false", "600", "0", "true", "38500000"},
         {false, 600, 0, true, 38500000}},
        {"a choice that is no choice", {"1", "600", "0", "true", "38500000"}, noReduction},
        {"a height beyond any site", {"true", "60000", "0", "false", "500000"}, noReduction},
        {"the Y constant missing", {"true", "600", "0", "true", nullptr}, noReduction},
    };
    const char* const names[] = {"ReductionToProjectionPlane", "ReductionMeanHeight", "ReductionPlaneHeight",
                                 "ReductionGaussCorrection", "ReductionYConstant"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeptSettings settings;
        for (std::size_t i = 0; i < c.kept.size(); ++i)
            if (c.kept[i])
                settings.texts[names[i]] = c.kept[i];
        FigureCompute compute;
        testing::ScriptedAccuracyDialog accuracy{};
        ScriptedReductionDialog dialog{};
        RecordingMessages messages;
        InstrumentSettings instrument(compute, settings, accuracy, dialog, messages);
        EXPECT_EQ(compute.reduction(), c.reduction);
    }
}

// A reduction named is kept, and the last figure entered is computed again
// at once with it: B and D move, the fields of the sides keep what was
// typed. Cancelled, nothing changes; a stopped entry is not computed again.
TEST(ReductionDialog, ANewReductionComputesTheLastFigureAgainAtOnce)
{
    const Observations worked = testing::checkedNetworks()[0].measured;
    testing::ScriptedDialog entry;
    testing::typeAll(entry, testing::typedValues(worked));
    RecordingMessages messages;
    KeptSettings settings;
    ScriptedReductionDialog reduction{std::nullopt, ReductionTexts{true, "500", "0", false, "500000"},
                                      ReductionTexts{false, "500", "0", false, "500000"}};
    Form1 form({.input = &entry, .messages = &messages, .settings = &settings, .reduction = &reduction});
    form.Command1_Click();
    const testing::WindowState before = testing::stateOf(form, settings);

    form.instrument().askReduction();
    EXPECT_TRUE(testing::stateOf(form, settings) == before) << "cancelled";

    form.instrument().askReduction();
    ASSERT_EQ(messages.messages, QStringList());
    EXPECT_EQ(settings.recallReduction(), (DistanceReduction{true, 500, 0, false, 500000}));
    ASSERT_TRUE(form.compute().finished());
    ASSERT_TRUE(form.compute().reducedSides().has_value());
    // 500 m above the ellipsoid: every side 78.48 ppm shorter
    EXPECT_NEAR(form.compute().reducedSides()->meanPpm, -500.0 / 6371000.0 * 1e6, 1e-6);
    EXPECT_EQ(testing::fieldText(form, "Text5"), before.fields["Text5"]) << "the side as typed";
    EXPECT_NE(testing::fieldText(form, "Text12"), before.fields["Text12"]) << "B moved";
    EXPECT_TRUE(form.findChild<QLabel*>("CheckLine")->text().endsWith("边长已归算：\u221278.5 ppm"));

    // off again: the very records of the first compute
    form.instrument().askReduction();
    EXPECT_TRUE(testing::stateOf(form, settings).records == before.records);
}

// The surveyor at the real menu and dialog: a right click on 平差计算, the
// reduction item, the projection plane chosen, a height out of range
// refused, mended, and taken; the values of a choice not taken are greyed,
// and the dialog states its radius.
TEST(QtReductionDialog, TakesTheReductionFromTheComputeButtonsMenuThroughTheRealDialog)
{
    RecordingMessages messages;
    KeptSettings settings;
    Form1 form({.messages = &messages, .settings = &settings});
    auto* compute = form.findChild<QPushButton*>("Command1");

    QStringList menuItems, titles, labels;
    bool greyedWhenOff = false;
    bool constantGreyedWithoutGauss = false;
    int dialogs = 0;
    ModalDriver driver([&](QWidget* up) {
        if (auto* menu = qobject_cast<QMenu*>(up)) {
            for (const QAction* action : menu->actions())
                menuItems << action->text();
            menu->setActiveAction(menu->actions().value(1));
            QTest::keyClick(menu, Qt::Key_Return);
            return true;
        }
        auto* dialog = qobject_cast<QDialog*>(up);
        if (!dialog)
            return false;
        titles << dialog->windowTitle();
        auto* toPlane = dialog->findChild<QRadioButton*>("toProjectionPlane");
        auto* mean = dialog->findChild<QLineEdit*>("meanHeight");
        auto* plane = dialog->findChild<QLineEdit*>("planeHeight");
        auto* gauss = dialog->findChild<QCheckBox*>("gaussCorrection");
        auto* constant = dialog->findChild<QLineEdit*>("yConstant");
        if (++dialogs == 1) {
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                labels << label->text();
            labels << dialog->findChild<QRadioButton*>("off")->text() << toPlane->text();
            greyedWhenOff = !mean->isEnabled() && !plane->isEnabled() && !gauss->isEnabled() && !constant->isEnabled();
            toPlane->click();
            constantGreyedWithoutGauss = mean->isEnabled() && gauss->isEnabled() && !constant->isEnabled();
            mean->setText("12000");
            gauss->click();
            constant->setText("38500000");
        } else {
            mean->selectAll();
            QTest::keyClicks(mean, "600");
        }
        QTest::keyClick(mean, Qt::Key_Return);
        return dialogs < 2;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, compute->rect().center(),
                            compute->mapToGlobal(compute->rect().center()));
    QApplication::sendEvent(compute, &event);

    EXPECT_EQ(menuItems.value(1), "边长归算…");
    EXPECT_EQ(titles, QStringList({"边长归算", "边长归算"}));
    EXPECT_TRUE(greyedWhenOff);
    EXPECT_TRUE(constantGreyedWithoutGauss);
    for (const QString& text : {QString("不归算（边长已是坐标系中的平距）"), QString("归算到投影面"), meanHeight})
        EXPECT_TRUE(labels.contains(text)) << text.toStdString();
    EXPECT_TRUE(labels.join(u'\n').replace(QChar::Nbsp, u' ').contains("R = 6 371 000 m"));
    EXPECT_EQ(messages.messages, QStringList{meanHeight + "“12000”超出了范围。" + heights});
    EXPECT_EQ(form.compute().reduction(), (DistanceReduction{true, 600, 0, true, 38500000}));

    // kept in the settings: the next start reduces alike
    Form1 restarted({.messages = &messages, .settings = &settings});
    EXPECT_EQ(restarted.compute().reduction(), (DistanceReduction{true, 600, 0, true, 38500000}));
}

} // namespace
} // namespace korvane
