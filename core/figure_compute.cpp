#include "figure_compute.h"

namespace korvane {

void FigureCompute::stopEntry()
{
    entered_.reset();
    lastEnd_ = ComputeEnd::StoppedBeforeMisclosure;
}

void FigureCompute::adjustEntered(const MilestoneListener& listener, std::optional<double> figureMeanHeight)
{
    entered_ = observations_;
    enteredMeanHeight_ = figureMeanHeight;
    reduced_.reset();
    bool misclosureStored = false;
    try {
        if (reduction_.toProjectionPlane) {
            ReducedSides reduced = reduceSides(observations_, reduction_, figureMeanHeight);
            observations_ = reduced.observations;
            // The report prints the single copies as the measured sides:
            // taken from the sides that enter the adjustment, its page agrees
            // with itself, adjusted = measured + correction.
            keepSingleCopies(observations_, result_);
            reduced_ = std::move(reduced);
        }
        adjust(
            observations_, result_,
            [&](Milestone milestone) {
                misclosureStored = misclosureStored || milestone == Milestone::Misclosure;
                if (listener)
                    listener(milestone);
            },
            &terms_);
    } catch (const AdjustmentError&) {
        lastEnd_ = misclosureStored ? ComputeEnd::StoppedAfterMisclosure : ComputeEnd::StoppedBeforeMisclosure;
        throw;
    }
    lastEnd_ = ComputeEnd::Finished;
    finishedAt_ = std::chrono::system_clock::now();
}

void FigureCompute::computeWhole(const Observations& values, const MilestoneListener& listener,
                                 std::optional<double> figureMeanHeight)
{
    observations_ = values;
    try {
        keepSingleCopies(observations_, result_);
    } catch (const AdjustmentError&) {
        stopEntry();
        throw;
    }
    adjustEntered(listener, figureMeanHeight);
}

} // namespace korvane
