#include "fakes.h"
#include "file_bytes.h"
#include "guided_entry.h"
#include "settings_memory.h"

#include "adjustment_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace korvane {
namespace {

using testing::KeptSettings;
using testing::writeFile;
using testing::RecordingFields;
using testing::ScriptedDialog;

const QString standard =
    QStringLiteral("确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )");

// a plausible network, typed as a surveyor would
const std::array<QString, 9> typed{"512.34567", "-1200.5", "812.5", "-300", "345.6",
                                   "402.25",    "380.125", "377.5", "611"};

struct EntryRun {
    ScriptedDialog dialog;
    RecordingFields fields;
    KeptSettings kept;
    EntryMemory* memory = &kept;
    FigureCompute compute;
    int beeps = 0;

    EntryOutcome go()
    {
        GuidedEntry entry(dialog, fields, *memory, [this] { ++beeps; });
        return entry.run(compute);
    }
    const Observations& observations() const { return compute.observations(); }
    const AdjustmentResult& result() const { return compute.result(); }
    QStringList writesTo(const QString& field) const
    {
        QStringList texts;
        for (const auto& [name, text] : fields.writes)
            if (name == field)
                texts << text;
        return texts;
    }
};

// Script that types `typed` and accepts each value with Enter, except the
// value `index`, whose replies are `special` (starting with its confirmation).
void script(ScriptedDialog& dialog, int index = -1, const std::vector<std::optional<QString>>& special = {})
{
    for (int i = 0; i < 9; ++i) {
        dialog.add(typed[i]);
        if (i == index)
            for (const auto& reply : special)
                dialog.add(reply);
        else
            dialog.add(QString());
    }
}

TEST(GuidedEntry, AllAcceptedTakesEighteenDialogsWithTheFirstPassTexts)
{
    EntryRun run;
    script(run.dialog);
    ASSERT_EQ(run.go(), EntryOutcome::Completed);

    const QStringList expected{
        "请输入已知点 A 的纵座标 Xa:",
        "确认输入是否正确出 ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )",
        "请输入已知点 A 的横座标 Ya:",
        " 确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )",
        "请输入已知点 C 的纵座标 Xc:", standard,
        "请输入已知点 C 的横座标 Yc:", standard,
        "请输入 A--B 观测边长 S1: ", standard,
        "请输入 B--C 观测边长 S2: ", standard,
        "请输入 C--D 观测边长 S4: ",
        "输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )",
        "请输入 D--A 观测边长 S5: ", standard,
        "请输入 B--D 观测边长 S6: ", standard,
    };
    EXPECT_EQ(run.dialog.prompts, expected);
    EXPECT_EQ(run.dialog.offers, QStringList(18, QString())) << "nothing kept yet: every field opens empty";
    EXPECT_EQ(run.beeps, 0);
    // each prompt and confirmation names the field that echoes its value, so
    // that the dialog can open beside it
    QStringList about;
    for (const char* field : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text8", "Text9", "Text10"})
        about << field << field;
    EXPECT_EQ(run.dialog.fields, about);

    // stored at full precision, shown padded to the row's decimals
    const QMap<QString, QString> shown{
        {"Text1", " 512.346"},  {"Text2", " -1200.500"}, {"Text3", " 812.500"},
        {"Text4", " -300.000"}, {"Text5", "  345.6000"}, {"Text6", "  402.2500"},
        {"Text8", "  380.1250"}, {"Text9", "  377.5000"}, {"Text10", "  611.0000"},
    };
    EXPECT_EQ(run.fields.texts, shown);
    EXPECT_EQ(run.fields.writes.size(), 9u) << "each field written once, Text7 never";

    const Observations& o = run.observations();
    EXPECT_EQ(o.Xa, 512.34567);
    EXPECT_EQ(o.Ya, -1200.5);
    EXPECT_EQ(o.S6, 611.0);
    EXPECT_EQ(run.result().s1, 345.6f);
    EXPECT_EQ(run.result().s4, 380.125f);
    EXPECT_EQ(run.result().s6, 611.0f);

    const QMap<QString, QString> kept{
        {"Xa", "512.34567"}, {"Ya", "-1200.5"}, {"Xc", "812.5"},   {"Yc", "-300"},  {"S1", "345.6"},
        {"S2", "402.25"},    {"S4", "380.125"}, {"S5", "377.5"},   {"S6", "611"},
    };
    EXPECT_EQ(run.kept.texts, kept);
}

// The surveyor who spots one mistyped side after a compute types that one
// value again and presses Enter on the other seventeen dialogs.
TEST(GuidedEntry, KeptValuesAreOfferedAndEnterAloneTakesThem)
{
    EntryRun first;
    script(first.dialog);
    ASSERT_EQ(first.go(), EntryOutcome::Completed);

    EntryRun again;
    again.kept = first.kept;
    for (int i = 0; i < 18; ++i)
        again.dialog.add(i == 10 ? QStringLiteral("402.3") : QString());
    ASSERT_EQ(again.go(), EntryOutcome::Completed);

    EXPECT_EQ(again.dialog.prompts, first.dialog.prompts);
    QStringList offered;
    for (const QString& value : typed)
        offered << value << QString();
    EXPECT_EQ(again.dialog.offers, offered);

    Observations expected = first.observations();
    expected.S2 = 402.3;
    EXPECT_EQ(std::memcmp(&again.observations(), &expected, sizeof expected), 0) << "bit for bit";
    EXPECT_EQ(again.kept.texts.value("S2"), "402.3");
}

// Which confirmation replies send the value back, and which accept it.
TEST(GuidedEntry, ConfirmationReplies)
{
    struct Case {
        const char* name;
        std::optional<QString> reply;
        bool reentered;
    };
    const Case cases[] = {
        {"single zero", QStringLiteral("0"), true},
        {"zero with decimals", QStringLiteral("0.0"), true},
        {"Enter on empty field", QString(), false},
        {"Cancel", std::nullopt, false},
        {"non-zero number", QStringLiteral("1"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntryRun run;
        // after a re-entry the next reply is the new Xa, then its confirmation
        if (c.reentered)
            script(run.dialog, 0, {c.reply, QStringLiteral("7"), QString()});
        else
            script(run.dialog, 0, {c.reply});
        ASSERT_EQ(run.go(), EntryOutcome::Completed);
        EXPECT_EQ(run.dialog.prompts.size(), c.reentered ? 20 : 18);
        EXPECT_EQ(run.observations().Xa, c.reentered ? 7.0 : 512.34567);
    }
}

// S4 opens with a wording of its own; every pass after a 0 uses the standard
// text, and the single copy is of the value finally accepted.
TEST(GuidedEntry, ThreeZerosAskFourTimesAndKeepTheLastValue)
{
    EntryRun run;
    script(run.dialog, 6,
           {QStringLiteral("0"), QStringLiteral("101"), QStringLiteral("0"), QStringLiteral("102"),
            QStringLiteral("0"), QStringLiteral("103"), QString()});
    ASSERT_EQ(run.go(), EntryOutcome::Completed);

    const QString reentry = QStringLiteral("输入正确的 C--D 的观测边长 S4: ");
    EXPECT_EQ(run.dialog.prompts.mid(12, 8),
              QStringList({"请输入 C--D 观测边长 S4: ",
                           "输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )", reentry,
                           standard, reentry, standard, reentry, standard}));
    EXPECT_EQ(run.writesTo("Text8"),
              QStringList({"  380.1250", "", "  101.0000", "", "  102.0000", "", "  103.0000"}));
    EXPECT_EQ(run.observations().S4, 103.0);
    EXPECT_EQ(run.result().s4, 103.0f);

    // each re-entry offers the value just sent back, to be mended in place;
    // only the value finally accepted is kept
    EXPECT_EQ(run.dialog.offers.mid(12, 8),
              QStringList({"", "", "380.125", "", "101", "", "102", ""}));
    EXPECT_EQ(run.kept.texts.value("S4"), "103");
    EXPECT_EQ(run.kept.writes, 9);
}

// Sending any one value back touches only that value's field.
TEST(GuidedEntry, ReentryChangesOnlyItsOwnField)
{
    const char* fields[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text8", "Text9", "Text10"};
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(fields[row]);
        EntryRun run;
        script(run.dialog, row, {QStringLiteral("0"), QStringLiteral("42"), QString()});
        ASSERT_EQ(run.go(), EntryOutcome::Completed);
        for (int other = 0; other < 9; ++other)
            EXPECT_EQ(run.writesTo(fields[other]).size(), other == row ? 3 : 1) << fields[other];
        EXPECT_TRUE(run.fields.texts.value(fields[row]).endsWith(row < 4 ? " 42.000" : "  42.0000"));
    }
}

// A text that does not read as a number is asked for again with a beep, and
// offered again, selected, so that one key mends it; it is never kept.
TEST(GuidedEntry, RefusedEntryTextsAskTheSamePromptAgainWithABeep)
{
    const QString yaPrompt = QStringLiteral("请输入已知点 A 的横座标 Ya:");
    const QString yaReentry = QStringLiteral("输入正确的已知点 A 的横座标 Ya:");
    const QString yaWording =
        QStringLiteral(" 确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )");
    // why the text before was refused, under the prompt asked again
    const QString notANumber = QStringLiteral("不是数字");
    const QString unit = QStringLiteral("含有单位：请只输入数字，单位为米");
    const QString decimalComma = QStringLiteral("小数点用逗号：请改用“.”");
    const QString thousands = QStringLiteral("含有逗号：小数点请用“.”，数字不分节");
    const QString beyond = QStringLiteral("数值超出范围");
    struct Case {
        const char* name;
        const char* keptYa; // from an earlier compute; nullptr: none
        // the replies for Ya from its first prompt to its last confirmation
        std::vector<std::optional<QString>> replies;
        QStringList prompts;  // of Ya
        QStringList refusals; // under those prompts
        QStringList offers;   // at those prompts
        int beeps;
        double Ya;
    };
    const Case cases[] = {
        {"empty, letters, a comma, a unit; each offered again",
         nullptr,
         {"", "abc", "1,5", "12m", "-1200.5", ""},
         {yaPrompt, yaPrompt, yaPrompt, yaPrompt, yaPrompt, yaWording},
         {"", notANumber, notANumber, decimalComma, unit, ""},
         {"", "", "abc", "1,5", "12m", ""},
         4,
         -1200.5},
        {"a full-width comma in place of the kept value, mended",
         "-1200.5",
         {"－１２００，５", "－１２００．５", ""},
         {yaPrompt, yaPrompt, yaWording},
         {"", decimalComma, ""},
         {"-1200.5", "－１２００，５", ""},
         1,
         -1200.5},
        {"at the re-entry prompt, offered in place of the value sent back",
         nullptr,
         {"-1200.4", "0", "1、5", "-1200.5", ""},
         {yaPrompt, yaWording, yaReentry, yaReentry, standard},
         {"", "", "", decimalComma, ""},
         {"", "", "-1200.4", "1、5", ""},
         1,
         -1200.5},
        {"the ideographic full stop of a Chinese input method is a point",
         nullptr,
         {"-1200。5", ""},
         {yaPrompt, yaWording},
         {"", ""},
         {"", ""},
         0,
         -1200.5},
        {"a unit in Chinese, thousands parted, a value beyond a double",
         nullptr,
         {"-1200.5 米", "-1,200.5", "-1e999", "-1200.5", ""},
         {yaPrompt, yaPrompt, yaPrompt, yaPrompt, yaWording},
         {"", unit, thousands, beyond, ""},
         {"", "-1200.5 米", "-1,200.5", "-1e999", ""},
         3,
         -1200.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntryRun run;
        if (c.keptYa)
            run.kept.texts["Ya"] = QString::fromUtf8(c.keptYa);
        run.dialog.add(typed[0]);
        run.dialog.add(QString());
        for (const auto& reply : c.replies)
            run.dialog.add(reply);
        for (int i = 2; i < 9; ++i) {
            run.dialog.add(typed[i]);
            run.dialog.add(QString());
        }
        ASSERT_EQ(run.go(), EntryOutcome::Completed);

        const qsizetype count = c.prompts.size();
        EXPECT_EQ(run.dialog.prompts.mid(2, count), c.prompts);
        EXPECT_EQ(run.dialog.refusals.mid(2, count), c.refusals);
        EXPECT_EQ(run.dialog.offers.mid(2, count), c.offers);
        EXPECT_EQ(run.dialog.refusals.mid(2 + count), QStringList(run.dialog.prompts.size() - 2 - count, QString()))
            << "the next value's prompt is asked afresh";
        EXPECT_EQ(run.beeps, c.beeps);
        EXPECT_EQ(run.observations().Ya, c.Ya);
        EXPECT_EQ(run.writesTo("Text2").last(), " -1200.500");
        EXPECT_EQ(run.kept.texts.value("Ya"), "-1200.5") << "only the accepted value is kept";
        EXPECT_EQ(run.kept.writes, 9);
    }
}

TEST(GuidedEntry, UnclearConfirmationIsAskedAgainUnchanged)
{
    EntryRun run;
    script(run.dialog, 1, {QStringLiteral("y"), QStringLiteral("好"), QString()});
    ASSERT_EQ(run.go(), EntryOutcome::Completed);

    const QString yaWording = QStringLiteral(" 确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )");
    EXPECT_EQ(run.dialog.prompts.mid(3, 3), QStringList({yaWording, yaWording, yaWording}));
    EXPECT_EQ(run.beeps, 2);
    EXPECT_EQ(run.observations().Ya, -1200.5);
}

TEST(GuidedEntry, CancelOnAPromptEndsTheEntryAndKeepsWhatWasAccepted)
{
    struct Case {
        const char* name;
        std::vector<std::optional<QString>> replies;
        EntryOutcome outcome;
        int storedRows; // rows whose value reached Observations
    };
    const Case cases[] = {
        {"first prompt", {std::nullopt}, EntryOutcome::CancelledUntouched, 0},
        {"prompt of S2", testing::confirmed({"1", "2", "3", "4", "5"}) + testing::cancelled(), EntryOutcome::Cancelled,
         5},
        {"re-entry prompt of Xc", testing::confirmed({"1", "2"}) + testing::sentBack("3") + testing::cancelled(),
         EntryOutcome::Cancelled, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntryRun run;
        // what an earlier compute left in the records
        for (const entry::Row& row : entry::rows())
            run.compute.store(row.value, -1.0);
        run.compute.keepSingleCopy(MeasuredSide::S2, -1.0);
        for (const auto& reply : c.replies)
            run.dialog.add(reply);
        ASSERT_EQ(run.go(), c.outcome);
        EXPECT_EQ(run.dialog.unused(), 0u);

        const double Observations::*values[] = {&Observations::Xa, &Observations::Ya, &Observations::Xc,
                                                &Observations::Yc, &Observations::S1, &Observations::S2};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(run.observations().*values[i], i < c.storedRows ? i + 1.0 : -1.0) << "row " << i;
        EXPECT_EQ(run.result().s2, -1.0f) << "no copy of a side that was not accepted";
    }
}

// Kept settings that cannot be trusted or cannot be written: the prompt of
// the value opens empty, as on a first start, and the entry goes on; the
// report's page of the figure is off unless it was kept on.
TEST(GuidedEntry, BadSettingsLeaveThePromptEmptyAndTheEntryGoesOn)
{
    const QFileDevice::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
    const QFileDevice::Permissions readWrite = readOnly | QFile::WriteOwner;
    struct Case {
        const char* name;
        // prepares the settings folder; the file is folder/korvane.conf
        std::function<void(const QString& folder)> prepare;
        const char* offeredXa;
        bool keepsXa; // the accepted Xa, a new accuracy and the page of the figure can be read back afterwards
        DistanceAccuracy accuracy = defaultAccuracy; // as read back before the entry
        bool figurePage = false;
    };
    const auto settings = [](const char* contents) {
        return [contents](const QString& folder) {
            QDir().mkpath(folder);
            writeFile(folder + "/korvane.conf", contents);
        };
    };
    const Case cases[] = {
        {"missing", [](const QString&) {}, "", true},
        {"empty text", settings("[Entry]\nXa=\n"), "", true},
        {"letters", settings("[Entry]\nXa=abc\n"), "", true},
        {"nan", settings("[Entry]\nXa=nan\n"), "", true},
        {"infinity", settings("[Entry]\nXa=-inf\n"), "", true},
        {"beyond a double", settings("[Entry]\nXa=1e999\n"), "", true},
        {"a list", settings("[Entry]\nXa=1, 2\n"), "", true},
        {"a value of another type", settings("[Entry]\nXa=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"), "",
         true},
        // an unclosed group: Qt still reads 12.5 and 7, but the file is not
        // sound; Qt says so only at the first reading in a process
        {"not valid INI", settings("[Entry\nXa=12.5\nYa=7\n"), "", true},
        {"a folder in place of the file", [](const QString& folder) { QDir().mkpath(folder + "/korvane.conf"); },
         "", false},
        // opened for reading, a pipe would wait for ever for a writer
        {"a pipe in place of the file",
         [](const QString& folder) {
             QDir().mkpath(folder);
             ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/korvane.conf").constData(), 0600), 0);
         },
         "", false},
        {"a file in place of the folder", [](const QString& folder) { writeFile(folder, "12.5"); }, "", false},
        // root writes into it all the same; others cannot keep the new Xa
        {"read-only folder",
         [&](const QString& folder) {
             settings("[Entry]\nXa=12.5\n")(folder);
             QFile::setPermissions(folder + "/korvane.conf", readOnly);
             QFile::setPermissions(folder, readOnly);
         },
         "12.5", geteuid() == 0},
        // the distance meter's accuracy, kept beside the values
        {"an accuracy kept", settings("[Entry]\nAccuracyConstantMm=5\nAccuracyPpm=0.5\n"), "", true, {5, 0.5}},
        {"an accuracy beyond its range", settings("[Entry]\nAccuracyConstantMm=150\nAccuracyPpm=2\n"), "", true},
        {"a negative accuracy", settings("[Entry]\nAccuracyConstantMm=3\nAccuracyPpm=-1\n"), "", true},
        {"an accuracy of zero", settings("[Entry]\nAccuracyConstantMm=0\nAccuracyPpm=0\n"), "", true},
        {"an accuracy in letters", settings("[Entry]\nAccuracyConstantMm=abc\nAccuracyPpm=3\n"), "", true},
        {"an infinite accuracy", settings("[Entry]\nAccuracyConstantMm=3\nAccuracyPpm=inf\n"), "", true},
        {"an accuracy as a list", settings("[Entry]\nAccuracyConstantMm=3, 4\nAccuracyPpm=3\n"), "", true},
        {"half an accuracy", settings("[Entry]\nAccuracyPpm=3\n"), "", true},
        {"figure page kept on", settings("[Report]\nFigurePage=true\n"), "", true, defaultAccuracy, true},
        {"figure page a word", settings("[Report]\nFigurePage=ja\n"), "", true},
        {"figure page a number", settings("[Report]\nFigurePage=1\n"), "", true},
        {"figure page a list", settings("[Report]\nFigurePage=true, true\n"), "", true},
        {"figure page a value of another type", settings("[Report]\nFigurePage=@Variant(\\0\\0\\0\\x1\\x1)\n"), "",
         true},
        {"figure page in a file that is not valid INI", settings("[Report\nFigurePage=true\n"), "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir home;
        const QString folder = home.path() + "/Korvane";
        c.prepare(folder);
        SettingsMemory memory(folder + "/korvane.conf");
        EXPECT_EQ(memory.recallAccuracy(), c.accuracy);
        EXPECT_EQ(memory.recallFigurePage(), c.figurePage);

        EntryRun run;
        run.memory = &memory;
        script(run.dialog);
        EXPECT_EQ(run.go(), EntryOutcome::Completed);
        EXPECT_EQ(run.dialog.prompts.size(), 18);
        QStringList valueOffers;
        for (qsizetype i = 0; i < run.dialog.offers.size(); i += 2)
            valueOffers << run.dialog.offers[i];
        QStringList expected(9, QString());
        expected[0] = QString::fromUtf8(c.offeredXa);
        EXPECT_EQ(valueOffers, expected);
        EXPECT_EQ(run.observations().Xa, 512.34567);
        // a store that could not take the new value offers nothing
        // afterwards, rather than the value the surveyor has just replaced
        EXPECT_EQ(memory.recall("Xa"), c.keepsXa ? "512.34567" : "");
        const DistanceAccuracy named{0.5, 1};
        memory.rememberAccuracy(named);
        EXPECT_EQ(memory.recallAccuracy(), c.keepsXa ? named : defaultAccuracy);
        memory.rememberFigurePage(true);
        EXPECT_EQ(memory.recallFigurePage(), c.keepsXa) << "kept where the values are kept";

        QFile::setPermissions(folder, readWrite);
    }
}

// Each side beyond the float range is named as itself; its copy keeps its
// earlier value, and the typed text is kept, to be offered and mended.
TEST(GuidedEntry, SideBeyondSinglePrecisionIsAnOverflowNamingTheSide)
{
    const struct {
        const char* side;
        MeasuredSide measured;
        float AdjustmentResult::*copy;
    } sides[] = {{"S1", MeasuredSide::S1, &AdjustmentResult::s1}, {"S2", MeasuredSide::S2, &AdjustmentResult::s2},
                 {"S4", MeasuredSide::S4, &AdjustmentResult::s4}, {"S5", MeasuredSide::S5, &AdjustmentResult::s5},
                 {"S6", MeasuredSide::S6, &AdjustmentResult::s6}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(sides[i].side);
        EntryRun run;
        run.compute.keepSingleCopy(sides[i].measured, -1.0);
        // the four coordinates, the sides before this one, then this one
        for (int value = 0; value <= 4 + i; ++value) {
            run.dialog.add(value == 4 + i ? QStringLiteral("1e39") : QStringLiteral("1"));
            run.dialog.add(QString());
        }
        try {
            run.go();
            FAIL() << "no error";
        } catch (const AdjustmentError& error) {
            EXPECT_EQ(error.fault(), Fault::Overflow);
            EXPECT_EQ(error.stage(), Stage::Entry);
            EXPECT_EQ(error.quantity(), sides[i].side);
        }
        EXPECT_EQ(run.result().*sides[i].copy, -1.0f);
        EXPECT_EQ(run.kept.texts.value(sides[i].side), "1e+39");
    }
}

} // namespace
} // namespace korvane
