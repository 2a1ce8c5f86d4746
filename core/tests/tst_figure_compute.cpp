#include "figure_compute.h"

#include "checked_networks.h"
#include "faulty_figures.h"
#include "network_model.h"
#include "number_text.h"
#include "record_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace korvane {
namespace {

using testing::checkedNetworks;

const Observations worked = checkedNetworks()[0].measured;

Observations withS4(double s4)
{
    Observations values = worked;
    values.S4 = s4;
    return values;
}

// Runs `values` whole, as the batch does, keeping a fault from stopping the
// test; the stages heard are added to `heard`.
void computeWhole(FigureCompute& compute, const Observations& values, std::vector<Milestone>& heard)
{
    try {
        compute.computeWhole(values, [&heard](Milestone milestone) { heard.push_back(milestone); });
    } catch (const AdjustmentError&) {
    }
}

bool sameValues(const std::optional<Observations>& a, const std::optional<Observations>& b)
{
    return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(Observations)) == 0);
}

// How each compute ends decides what its records may do: be reported,
// copied and exported only while they belong to one compute, be drawn only
// after a compute that finished, be saved as a file only once an entry took
// all nine values.
TEST(FigureCompute, HowTheLastComputeEndedDecidesWhatItsRecordsMayDo)
{
    const std::vector<Milestone> all{Milestone::KnownSide,  Milestone::Misclosure, Milestone::UnitWeightError,
                                     Milestone::PointB,     Milestone::PointD,     Milestone::PrecisionB,
                                     Milestone::PrecisionD};
    struct Case {
        const char* name;
        std::vector<Observations> computes; // one after another on the same compute
        std::function<void(FigureCompute&)> then; // an entry after them
        ComputeEnd end;
        bool agree;
        bool finished;
        std::optional<Observations> entered;
        std::vector<Milestone> heard; // of the last compute
    };
    const auto stoppedEntry = [](FigureCompute& compute) {
        compute.store(&Observations::Xa, 1.0);
        compute.stopEntry();
    };
    const Case cases[] = {
        {"before any compute", {}, {}, ComputeEnd::None, true, false, std::nullopt, {}},
        {"an entry stopped after its first value", {}, stoppedEntry, ComputeEnd::StoppedBeforeMisclosure, false,
         false, std::nullopt, {}},
        {"a finished compute", {worked}, {}, ComputeEnd::Finished, true, true, worked, all},
        {"a finished compute, then an entry stopped", {worked}, stoppedEntry, ComputeEnd::StoppedBeforeMisclosure,
         false, false, std::nullopt, all},
        {"a side beyond single precision", {worked, withS4(1e39)}, {}, ComputeEnd::StoppedBeforeMisclosure, false,
         false, std::nullopt, {}},
        {"no triangle A-B-D, before w", {testing::noTriangleFigure()}, {}, ComputeEnd::StoppedBeforeMisclosure,
         false, false, testing::noTriangleFigure(), {Milestone::KnownSide}},
        {"ms beyond single precision, after w", {worked, testing::hugeFigure()}, {},
         ComputeEnd::StoppedAfterMisclosure, false, false, testing::hugeFigure(),
         {Milestone::KnownSide, Milestone::Misclosure}},
        {"a finished compute after a stopped one", {testing::hugeFigure(), worked}, {}, ComputeEnd::Finished, true,
         true, worked, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FigureCompute compute;
        std::vector<Milestone> heard;
        for (const Observations& values : c.computes) {
            heard.clear();
            computeWhole(compute, values, heard);
        }
        if (c.then)
            c.then(compute);
        EXPECT_EQ(compute.lastEnd(), c.end);
        EXPECT_EQ(compute.recordsAgree(), c.agree);
        EXPECT_EQ(compute.finished(), c.finished);
        EXPECT_TRUE(sameValues(compute.entered(), c.entered));
        EXPECT_EQ(heard, c.heard);
    }
}

// A fault goes on to the caller, naming what failed, with the end recorded;
// a side's copy that did not fit keeps the earlier compute's value.
TEST(FigureCompute, AFaultGoesOnToTheCallerWithTheEndRecorded)
{
    FigureCompute compute;
    compute.computeWhole(worked);
    const float earlierS4 = compute.result().s4;
    try {
        compute.computeWhole(withS4(1e39));
        FAIL() << "no error";
    } catch (const AdjustmentError& error) {
        EXPECT_EQ(error.stage(), Stage::Entry);
        EXPECT_EQ(error.fault(), Fault::Overflow);
        EXPECT_EQ(error.quantity(), "S4");
    }
    EXPECT_EQ(compute.result().s4, earlierS4);
    EXPECT_EQ(compute.lastEnd(), ComputeEnd::StoppedBeforeMisclosure);
    EXPECT_THROW(compute.computeWhole(testing::hugeFigure()), AdjustmentError);
    EXPECT_EQ(compute.lastEnd(), ComputeEnd::StoppedAfterMisclosure);
}

// The nine values taken whole (the batch) and stored one by one in the
// entry's order (the window) leave the very same records, and both agree
// with the independent model of the figure to the digits the window shows.
TEST(FigureCompute, WholeOrValueByValueComputesWhatTheIndependentModelGives)
{
    // A = (3000, 2000), B = (3480, 2350), C = (3300, 2950), D = (2700, 2700),
    // the sides measured with errors of 4 to 13 mm
    const Observations network{3000, 2000, 3300, 2950, 594.0588, 626.4107, 650.0073, 761.5807, 854.9202};
    const testing::Model m = testing::model(3000, 2000, 3300, 2950, {594.0588, 626.4107, 650.0073, 761.5807, 854.9202});

    FigureCompute whole;
    whole.computeWhole(network);
    FigureCompute typed;
    const struct {
        double Observations::*value;
        std::optional<MeasuredSide> side;
    } entry[] = {{&Observations::Xa, {}},
                 {&Observations::Ya, {}},
                 {&Observations::Xc, {}},
                 {&Observations::Yc, {}},
                 {&Observations::S1, MeasuredSide::S1},
                 {&Observations::S2, MeasuredSide::S2},
                 {&Observations::S4, MeasuredSide::S4},
                 {&Observations::S5, MeasuredSide::S5},
                 {&Observations::S6, MeasuredSide::S6}};
    for (const auto& row : entry) {
        typed.store(row.value, network.*row.value);
        if (row.side)
            typed.keepSingleCopy(*row.side, network.*row.value);
    }
    typed.adjustEntered();
    EXPECT_EQ(testing::bits(whole.result()), testing::bits(typed.result()));
    EXPECT_EQ(std::memcmp(&whole.observations(), &typed.observations(), sizeof(Observations)), 0);

    const AdjustmentResult& r = whole.result();
    // half a unit of the last digit the window shows, and a tenth for the model
    const auto shown = [](int decimals) { return 0.6 * std::pow(10.0, -decimals); };
    EXPECT_NEAR(r.S3, m.S3, shown(4));
    EXPECT_NEAR(r.w, m.w, shown(2));
    EXPECT_NEAR(r.ms, m.ms, shown(2));
    EXPECT_NEAR(r.xp1, m.coordinates[0], shown(3));
    EXPECT_NEAR(r.yp1, m.coordinates[1], shown(3));
    EXPECT_NEAR(r.xp2, m.coordinates[2], shown(3));
    EXPECT_NEAR(r.yp2, m.coordinates[3], shown(3));
    EXPECT_NEAR(r.B.invPx, m.reciprocals[0], shown(4));
    EXPECT_NEAR(r.D.invPy, m.reciprocals[3], shown(4));
    EXPECT_NEAR(r.B.mx, m.errors[0], shown(2));
    EXPECT_NEAR(r.D.my, m.errors[3], shown(2));
    EXPECT_NEAR(r.D.md, m.mdD, shown(2));
    // the sides as entered survive only as the entered values and the copies
    EXPECT_EQ(whole.entered()->S5, 761.5807);
    EXPECT_NE(r.s5, whole.observations().S5);
}

// The misclosure is judged at the compute's own accuracy, its constant and
// scale parts each where they belong, against the independent check.
TEST(FigureCompute, JudgesTheMisclosureAtItsOwnAccuracy)
{
    for (const testing::CheckedNetwork& network : checkedNetworks()) {
        SCOPED_TRACE(network.name);
        FigureCompute compute;
        compute.setAccuracy(network.accuracy);
        compute.computeWhole(network.measured);
        const MisclosureCheck check = compute.misclosureCheck();
        EXPECT_EQ(fixedText(check.limit, 2, 2), network.limitText);
        EXPECT_EQ(check.withinLimit, network.withinLimit);
    }
}

} // namespace
} // namespace korvane
