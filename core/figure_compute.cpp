#include "figure_compute.h"

namespace korvane {

void FigureCompute::stopEntry()
{
    entered_.reset();
    lastEnd_ = ComputeEnd::StoppedBeforeMisclosure;
}

void FigureCompute::adjustEntered(const MilestoneListener& listener)
{
    entered_ = observations_;
    bool misclosureStored = false;
    try {
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

void FigureCompute::computeWhole(const Observations& values, const MilestoneListener& listener)
{
    observations_ = values;
    try {
        keepSingleCopies(observations_, result_);
    } catch (const AdjustmentError&) {
        stopEntry();
        throw;
    }
    adjustEntered(listener);
}

} // namespace korvane
