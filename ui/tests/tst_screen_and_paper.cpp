// What the window shows and what the paper prints of the same values: the
// user guide's table of where they part on purpose, row by row at the ties that
// tell the rules apart, and the same digits on a comma-decimal desktop.

#include "comma_locale.h"
#include "fakes.h"
#include "form1.h"
#include "guided_entry.h"
#include "report_text.h"
#include "results_display.h"
#include "window_state.h"

#include "report.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {
namespace {

using testing::RecordingMessages;
using testing::ScriptedDialog;

// The surveyor types `text` at the prompt of the value echoed in `field`, 1
// at every prompt before it and Enter at each confirmation, then cancels.
void typeAt(const char* field, const char* text, FigureCompute& compute, testing::RecordingFields& fields)
{
    ScriptedDialog dialog;
    testing::KeptSettings memory;
    for (const entry::Row& row : entry::rows()) {
        const bool here = std::string_view(row.field) == field;
        dialog.add(QString::fromUtf8(here ? text : "1"));
        dialog.add(QString());
        if (here)
            break;
    }
    GuidedEntry(dialog, fields, memory, {}).run(compute);
}

// What the window shows and the paper prints of one value, set in the
// records or typed at its prompt.
struct ShownAndPrinted {
    const char* name;
    std::function<void(AdjustmentResult&)> set; // nothing: `typed` at the prompt of `field`
    const char* typed;
    const char* field;
    const char* shown;
    int line;            // of the report
    const char* printed; // the label and its number on that line, blanks collapsed
};

// One or more rows for each row of the user guide's table of screen and paper,
// each value at a tie whose last kept digit is even, where rounding to even
// first and formatting alone differ. A float is written at seven significant
// digits; where a row notes fifteen in brackets, the float written at fifteen
// would give another last digit.
TEST(ScreenAndPaper, EachValueRoundsAsTheGuidesTableSays)
{
    using R = AdjustmentResult&;
    const ShownAndPrinted rows[] = {
        // ms, mx, my, md: "a stored 0.125 shows 0.12 and prints 0.13"
        {"ms 0.125", [](R r) { r.ms = 0.125f; }, nullptr, "Text18", " 0.12毫米", 33, "ms= 0.13 毫米"},
        {"mx of B 0.125", [](R r) { r.B.mx = 0.125f; }, nullptr, "Text21", " 0.12毫米", 45, "mx= 0.13 毫米"},
        {"my of B 0.125", [](R r) { r.B.my = 0.125f; }, nullptr, "Text22", " 0.12毫米", 46, "my= 0.13 毫米"},
        {"md of B 0.125", [](R r) { r.B.md = 0.125f; }, nullptr, "Text23", " 0.12毫米", 47, "md= 0.13 毫米"},
        {"mx of D 0.125", [](R r) { r.D.mx = 0.125f; }, nullptr, "Text25", " 0.12毫米", 55, "mx= 0.13 毫米"},
        {"my of D 0.125", [](R r) { r.D.my = 0.125f; }, nullptr, "Text28", " 0.12毫米", 56, "my= 0.13 毫米"},
        {"md of D 0.125", [](R r) { r.D.md = 0.125f; }, nullptr, "Text26", " 0.12毫米", 57, "md= 0.13 毫米"},
        {"ms 1.015 (1.01)", [](R r) { r.ms = 1.015f; }, nullptr, "Text18", " 1.02毫米", 33, "ms= 1.02 毫米"},
        {"mx of B 8.275 (8.27)", [](R r) { r.B.mx = 8.275f; }, nullptr, "Text21", " 8.28毫米", 45, "mx= 8.28 毫米"},
        {"my of B 2.135 (2.13)", [](R r) { r.B.my = 2.135f; }, nullptr, "Text22", " 2.14毫米", 46, "my= 2.14 毫米"},
        {"md of B 2.675 (2.67)", [](R r) { r.B.md = 2.675f; }, nullptr, "Text23", " 2.68毫米", 47, "md= 2.68 毫米"},
        {"mx of D 1.535 (1.53)", [](R r) { r.D.mx = 1.535f; }, nullptr, "Text25", " 1.54毫米", 55, "mx= 1.54 毫米"},
        {"my of D 1.775 (1.77)", [](R r) { r.D.my = 1.775f; }, nullptr, "Text28", " 1.78毫米", 56, "my= 1.78 毫米"},
        {"md of D 2.455 (2.45)", [](R r) { r.D.md = 2.455f; }, nullptr, "Text26", " 2.46毫米", 57, "md= 2.46 毫米"},
        // 1/px, 1/py: "rounded to 4 decimals" on screen, "5 decimals, not rounded first" on paper
        {"1/px B 0.86685 (0.8669)", [](R r) { r.B.invPx = 0.86685f; }, nullptr, "Text19", " 0.8668", 43, "1/px= 0.86685"},
        {"1/py B 0.81365 (0.8137)", [](R r) { r.B.invPy = 0.81365f; }, nullptr, "Text20", " 0.8136", 44, "1/py= 0.81365"},
        {"1/px D 0.50145 (0.5015)", [](R r) { r.D.invPx = 0.50145f; }, nullptr, "Text24", " 0.5014", 53, "1/px= 0.50145"},
        {"1/py D 0.77565 (0.7757)", [](R r) { r.D.invPy = 0.77565f; }, nullptr, "Text27", " 0.7756", 54, "1/py= 0.77565"},
        {"1/px B 0.866825 (0.86682)", [](R r) { r.B.invPx = 0.866825f; }, nullptr, "Text19", " 0.8668", 43, "1/px= 0.86683"},
        {"1/py B 0.813665 (0.81366)", [](R r) { r.B.invPy = 0.813665f; }, nullptr, "Text20", " 0.8137", 44, "1/py= 0.81367"},
        {"1/px D 0.921605 (0.92160)", [](R r) { r.D.invPx = 0.921605f; }, nullptr, "Text24", " 0.9216", 53, "1/px= 0.92161"},
        {"1/py D 0.502325 (0.50232)", [](R r) { r.D.invPy = 0.502325f; }, nullptr, "Text27", " 0.5023", 54, "1/py= 0.50233"},
        // measured sides: the typed value on screen, the single copy on
        // paper: "1234.5678 typed prints as 1234.5680"
        {"S1 1234.5678", {}, "1234.5678", "Text5", "  1234.5678", 11, "s1= 1234.5680"},
        {"S1 61.50945 (61.5094)", {}, "61.50945", "Text5", "  61.5095", 11, "s1= 61.5095"},
        {"S2 81.83945 (81.8394)", {}, "81.83945", "Text6", "  81.8395", 12, "s2= 81.8395"},
        {"S4 12.34565 (12.3456)", {}, "12.34565", "Text8", "  12.3457", 14, "s4= 12.3457"},
        {"S5 60.15545 (60.1554)", {}, "60.15545", "Text9", "  60.1555", 15, "s5= 60.1555"},
        {"S6 61.08785 (61.0878)", {}, "61.08785", "Text10", "  61.0879", 16, "s6= 61.0879"},
        // the same digits on screen and paper for the control points, S3, w
        // and the coordinates of B and D
        {"Xa", {}, "2500.0005", "Text1", " 2500.001", 6, "xa= 2500.001"},
        {"Ya", {}, "2500.0005", "Text2", " 2500.001", 6, "ya= 2500.001"},
        {"Xc", {}, "2500.0005", "Text3", " 2500.001", 7, "xc= 2500.001"},
        {"Yc", {}, "2500.0005", "Text4", " 2500.001", 7, "yc= 2500.001"},
        {"S3 as measured", [](R r) { r.S3 = 1000.00005; }, nullptr, "Text7", "  1000.0000", 13, "s3= 1000.0000"},
        {"S3 as adjusted", [](R r) { r.S3 = 1000.00005; }, nullptr, "Text7", "  1000.0000", 22, "S3= 1000.0000"},
        {"w 0.125", [](R r) { r.w = 0.125f; }, nullptr, "Text17", " 0.12秒", 28, "w= 0.12 (秒)"},
        {"w 12.345 (12.35)", [](R r) { r.w = 12.345f; }, nullptr, "Text17", " 12.34秒", 28, "w= 12.34 (秒)"},
        {"w -5.005 (-5.01)", [](R r) { r.w = -5.005f; }, nullptr, "Text17", " -5.00秒", 28, "w= -5.00 (秒)"},
        {"xp1", [](R r) { r.xp1 = 2500.0005; }, nullptr, "Text12", " 2500.000", 40, "xp1= 2500.000"},
        {"yp1", [](R r) { r.yp1 = 2500.0005; }, nullptr, "Text13", " 2500.000", 41, "yp1= 2500.000"},
        {"xp2", [](R r) { r.xp2 = 2500.0005; }, nullptr, "Text15", " 2500.000", 50, "xp2= 2500.000"},
        {"yp2", [](R r) { r.yp2 = 2500.0005; }, nullptr, "Text16", " 2500.000", 51, "yp2= 2500.000"},
    };
    for (const ShownAndPrinted& row : rows) {
        SCOPED_TRACE(row.name);
        Observations o;
        AdjustmentResult r;
        testing::RecordingFields fields;
        if (row.set) {
            row.set(r);
            for (const display::Row& shown : display::rows())
                showResults(shown.milestone, r, fields);
        } else {
            FigureCompute compute;
            typeAt(row.field, row.typed, compute, fields);
            o = compute.observations();
            r = compute.result();
        }
        EXPECT_EQ(fields.texts.value(row.field), QString::fromUtf8(row.shown));
        QString printed = "<no line>";
        for (const testing::PrintedLine& line : testing::printedLines(o, r))
            if (line.number == row.line)
                printed = line.text;
        EXPECT_TRUE((" " + printed + " ").contains(" " + QString::fromUtf8(row.printed) + " ")) << printed.toStdString();
    }
}

// Everything the window shows and the report prints of one field run.
std::vector<std::string> shownAndPrinted()
{
    ScriptedDialog dialog;
    testing::typeAll(dialog, testing::fieldNetwork);
    RecordingMessages messages;
    testing::KeptSettings settings;
    std::vector<std::string> texts;
    const auto print = [&texts](const Observations& o, const AdjustmentResult& r, const FigureOrNotice*,
                                 const RunningHeader*) {
        for (const ReportStep& step : reportSteps(o, r))
            if (const auto* line = std::get_if<Line>(&step))
                for (const LineItem& item : *line)
                    if (const auto* text = std::get_if<Text>(&item))
                        texts.push_back(*text);
        return QString();
    };
    Form1 form({.input = &dialog, .messages = &messages, .settings = &settings, .print = print});
    form.Command1_Click();
    form.Command3_Click();
    for (const QLineEdit* field : form.findChildren<QLineEdit*>())
        texts.push_back(field->objectName().toStdString() + ":" + field->text().toStdString());
    EXPECT_EQ(messages.messages, QStringList());
    return texts;
}

// A German or Russian desktop writes its numbers with a decimal comma, and
// the application takes on the user's locale at start-up: the digits of the
// window and of the paper must not change with it.
TEST(ScreenAndPaper, CommaDecimalDesktopShowsAndPrintsTheSameDigits)
{
    const std::vector<std::string> plain = shownAndPrinted();
    ASSERT_GT(plain.size(), 28u + 40u);
    testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << comma.problem();
    EXPECT_EQ(shownAndPrinted(), plain);
}

} // namespace
} // namespace korvane
