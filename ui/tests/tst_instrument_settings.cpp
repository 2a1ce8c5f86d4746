#include "instrument_settings.h"

#include "checked_networks.h"
#include "fakes.h"

#include "figure_compute.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace korvane {
namespace {

using testing::KeptSettings;
using testing::RecordingMessages;
using testing::ScriptedAccuracyDialog;
using testing::ScriptedReductionDialog;

// The accuracy kept by an earlier run is the compute's from the start, and
// the dialog's offer; one that names no usable instrument gives the default.
// The two parts are kept apart: 0.5 mm + 3 ppm is not 3 mm + 0.5 ppm.
TEST(InstrumentSettings, TheKeptAccuracyIsTheComputesFromTheStart)
{
    const struct {
        const char* name;
        const char* constantMm; // nullptr: not kept
        const char* ppm;
        DistanceAccuracy accuracy;
        AccuracyTexts offered;
    } cases[] = {
        {"nothing kept", nullptr, nullptr, defaultAccuracy, {"2", "2"}},
        {"0.5 mm + 3 ppm", "0.5", "3", {0.5, 3}, {"0.5", "3"}},
        {"3 mm + 0.5 ppm", "3", "0.5", {3, 0.5}, {"3", "0.5"}},
        {"half of it", "0.5", nullptr, defaultAccuracy, {"2", "2"}},
        {"beyond its range", "0.5", "150", defaultAccuracy, {"2", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeptSettings settings;
        if (c.constantMm)
            settings.texts["AccuracyConstantMm"] = c.constantMm;
        if (c.ppm)
            settings.texts["AccuracyPpm"] = c.ppm;
        FigureCompute compute;
        ScriptedAccuracyDialog dialog{};
        ScriptedReductionDialog reductionDialog{};
        RecordingMessages messages;
        InstrumentSettings instrument(compute, settings, dialog, reductionDialog, messages);
        EXPECT_EQ(compute.accuracy(), c.accuracy);
        instrument.askAccuracy();
        EXPECT_EQ(dialog.offers.front(), c.offered);
    }
}

// An accuracy named in the dialog becomes the compute's, is kept in the
// settings part by part, and asks for the last compute to be judged again;
// a refused or cancelled dialog changes nothing. The dialog offers the
// accuracy in force.
TEST(InstrumentSettings, AnAccuracyNamedIsKeptAndJudgedAgain)
{
    const struct {
        const char* name;
        std::vector<std::optional<AccuracyTexts>> replies;
        DistanceAccuracy accuracy;
        int judgedAgain;
        QStringList messages;
    } cases[] = {
        {"0.5 mm + 3 ppm", {AccuracyTexts{"0.5", "3"}}, {0.5, 3}, 1, {}},
        {"full-width digits", {AccuracyTexts{"３", "０．５"}}, {3, 0.5}, 1, {}},
        {"cancelled", {std::nullopt}, defaultAccuracy, 0, {}},
        {"refused, then cancelled", {AccuracyTexts{"0", "0"}, std::nullopt}, defaultAccuracy, 0,
         {"固定误差 a 和比例误差 b 不能都为 0：没有误差的测距仪并不存在，那样任何闭合差都会超限。"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeptSettings settings;
        FigureCompute compute;
        ScriptedAccuracyDialog dialog{};
        ScriptedReductionDialog reductionDialog{};
        for (const auto& reply : c.replies)
            dialog.add(reply);
        RecordingMessages messages;
        InstrumentSettings instrument(compute, settings, dialog, reductionDialog, messages);
        int judged = 0;
        QObject::connect(&instrument, &InstrumentSettings::changed, [&judged] { ++judged; });
        instrument.askAccuracy();

        EXPECT_EQ(compute.accuracy(), c.accuracy);
        EXPECT_EQ(judged, c.judgedAgain);
        EXPECT_EQ(messages.messages, c.messages);
        EXPECT_EQ(dialog.offers.front(), (AccuracyTexts{"2", "2"}));
        EXPECT_EQ(settings.recallAccuracy(), c.accuracy);
        EXPECT_EQ(settings.writes, c.judgedAgain == 0 ? 0 : 2);
    }
}

} // namespace
} // namespace korvane
