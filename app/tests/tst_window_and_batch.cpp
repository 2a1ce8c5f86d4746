// The window and the batch command side by side: the same figures typed
// into the window's entry and run through the batch give the same results,
// to the digit, and the same words for a figure that cannot be computed.

#include "batch_run.h"

#include "checked_networks.h"
#include "fakes.h"
#include "figure_files.h"
#include "form1.h"
#include "window_state.h"

#include "figure_check.h"
#include "number_text.h"
#include "printed_digits.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

// Each figure of a file through the batch command and through the window,
// typed into the entry: every cell of its row is what the window's compute
// of the same values gives, on paper and in the check.
TEST(Batch, ResultsAreTheWindowsComputeOfTheSameFigures)
{
    std::vector<std::pair<QString, Observations>> figures;
    for (const testing::CheckedNetwork& network : testing::checkedNetworks())
        figures.emplace_back(QString::fromUtf8(network.name), network.measured);
    figures.emplace_back("no triangle A-B-D", Observations{3000, 2000, 3300, 2950, 594.0588, 626.4107, 650.0073, 761.5807, 1400});
    figures.emplace_back("A on C", Observations{3000, 2000, 3000, 2000, 594.0588, 626.4107, 650.0073, 761.5807, 854.9202});
    figures.emplace_back("S4 beyond single precision", Observations{3000, 2000, 3300, 2950, 594.0588, 626.4107, 1e39, 761.5807, 854.9202});
    QString file = testing::observationHeader;
    for (const auto& [name, values] : figures)
        file += name + testing::valuesText(values) + u'\n';
    QTemporaryDir folder;
    testing::writeFile(folder.filePath("figures.csv"), file.toUtf8());
    batch::Options options;
    options.figures = folder.filePath("figures.csv").toStdString();
    options.results = folder.filePath("results.csv").toStdString();
    std::ostringstream err;
    batch::runBatch(options, err, false);
    const std::vector<QStringList> rows = testing::resultRows(folder.filePath("results.csv"));
    ASSERT_EQ(rows.size(), figures.size());

    for (std::size_t i = 0; i < figures.size(); ++i) {
        SCOPED_TRACE(figures[i].first.toStdString());
        testing::ScriptedDialog dialog;
        testing::typeAll(dialog, testing::typedValues(figures[i].second));
        testing::RecordingMessages messages;
        testing::KeptSettings settings;
        Form1 form({.input = &dialog, .messages = &messages, .settings = &settings});
        form.Command1_Click();
        const QStringList& row = rows[i];
        EXPECT_EQ(row[1], QString::number(i + 2));
        if (!form.compute().finished()) {
            ASSERT_EQ(messages.messages.size(), 1);
            EXPECT_EQ(row[2], messages.messages[0]);
            EXPECT_EQ(row.mid(3, 18), QStringList(18, QString()));
            continue;
        }
        const AdjustmentResult& r = form.compute().result();
        const MisclosureCheck check = checkMisclosure(form.compute().terms(), r.w, defaultAccuracy);
        const auto s = [](const std::string& digits) { return QString::fromStdString(digits); };
        const QStringList expected{
            s(check.withinLimit ? "合格" : "超限"), s(printed::side(r.S3)), s(printed::misclosure(r.w)),
            s(fixedText(check.limit, 2, 2)), s(printed::millimetres(r.ms)),
            s(printed::coordinate(r.xp1)), s(printed::coordinate(r.yp1)), s(printed::weightReciprocal(r.B.invPx)),
            s(printed::weightReciprocal(r.B.invPy)), s(printed::millimetres(r.B.mx)), s(printed::millimetres(r.B.my)),
            s(printed::millimetres(r.B.md)), s(printed::coordinate(r.xp2)), s(printed::coordinate(r.yp2)),
            s(printed::weightReciprocal(r.D.invPx)), s(printed::weightReciprocal(r.D.invPy)),
            s(printed::millimetres(r.D.mx)), s(printed::millimetres(r.D.my)), s(printed::millimetres(r.D.md))};
        EXPECT_EQ(row.mid(2, expected.size()), expected);
        // a file without the names' columns calls the points by their letters
        EXPECT_EQ(row.mid(2 + expected.size()), QStringList({"A", "B", "C", "D"}));
        // the window shows the same coordinates, to the digit
        EXPECT_EQ(u' ' + row[7], testing::fieldText(form, "Text12"));
        EXPECT_EQ(u' ' + row[15], testing::fieldText(form, "Text16"));
    }
}


} // namespace
} // namespace korvane
