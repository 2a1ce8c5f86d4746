#pragma once

// One figure's compute and what it leaves behind: the nine values as they
// were entered, the two records, the terms of the check, the accuracy the
// misclosure is judged at, and how the last compute ended; and the rules
// that follow from how it ended. The window's guided entry (and a figure
// opened from a file) stores the values one by one, as the surveyor confirms
// them; the batch hands over nine values whole; both are then adjusted the
// same way; each knows which figure it holds, by its names. Nothing here
// knows a window.

#include "adjustment.h"
#include "adjustment_terms.h"
#include "figure_check.h"
#include "figure_identity.h"
#include "measured_side.h"
#include "records.h"

#include <chrono>
#include <optional>
#include <utility>

namespace korvane {

// How far the last compute command got.
enum class ComputeEnd {
    None,                    // no compute yet, or none that stored a value
    StoppedBeforeMisclosure, // a fault, or Cancel once a value was accepted, before w was stored
    StoppedAfterMisclosure,  // w was stored, a later stage failed
    Finished,
};

class FigureCompute {
public:
    const Observations& observations() const { return observations_; }
    const AdjustmentResult& result() const { return result_; }
    // what the last compute formed for the check of its figure
    const AdjustmentTerms& terms() const { return terms_; }
    // The nine values of the last entry that took all nine, as entered (the
    // sides of observations() are the adjusted ones after a compute); none
    // after an entry that stopped halfway.
    const std::optional<Observations>& entered() const { return entered_; }
    ComputeEnd lastEnd() const { return lastEnd_; }

    // The figure whose values were entered last, by its names: whoever
    // enters a figure sets it, a figure from a file its own, a typed one none.
    const FigureIdentity& identity() const { return identity_; }
    void setIdentity(FigureIdentity identity) { identity_ = std::move(identity); }
    // when the last compute that finished ended, the date its pages carry
    std::chrono::system_clock::time_point finishedAt() const { return finishedAt_; }

    DistanceAccuracy accuracy() const { return accuracy_; }
    void setAccuracy(DistanceAccuracy accuracy) { accuracy_ = accuracy; }

    // The records belong to one compute: none yet (they hold zeros, which
    // print as zeros), or the last one, which finished. After a compute that
    // stopped halfway new entries stand beside old results; a report, a copy
    // or an export of them would look finished and be wrong.
    bool recordsAgree() const { return lastEnd_ == ComputeEnd::None || lastEnd_ == ComputeEnd::Finished; }
    // a finished compute: a figure to draw and judge
    bool finished() const { return lastEnd_ == ComputeEnd::Finished; }

    // The entry, in its order: each value is stored the moment it is typed,
    // and a side's single-precision copy is kept once it is confirmed.
    void store(double Observations::*value, double typed) { observations_.*value = typed; }
    // Throws AdjustmentError (Stage::Entry) for a side beyond single
    // precision; the copy then keeps its earlier value.
    void keepSingleCopy(MeasuredSide side, double confirmed) { korvane::keepSingleCopy(side, confirmed, result_); }
    // The entry stopped after it stored a value (Cancel, or a side beyond
    // single precision): no nine values, and the records mix two computes.
    void stopEntry();

    // The compute once the nine values are stored: they become the entered
    // values and are adjusted, the listener hearing each stage as adjust()
    // tells it. How the compute ended is recorded before an AdjustmentError
    // goes on to the caller; every result stored before the fault stays.
    void adjustEntered(const MilestoneListener& listener = {});

    // A figure whose nine values come whole (a batch's): stored, their
    // single copies kept in the order of the entry, and adjusted. Throws as
    // keepSingleCopy() and adjustEntered() do, having recorded the end.
    void computeWhole(const Observations& values, const MilestoneListener& listener = {});

    // The misclosure judged at the accuracy; needs w stored. Throws
    // AdjustmentError (Stage::Check) when values far beyond any survey put
    // the limit beyond the range of its arithmetic.
    MisclosureCheck misclosureCheck() const { return checkMisclosure(terms_, result_.w, accuracy_); }

private:
    Observations observations_;
    AdjustmentResult result_;
    AdjustmentTerms terms_;
    std::optional<Observations> entered_;
    FigureIdentity identity_;
    std::chrono::system_clock::time_point finishedAt_{};
    DistanceAccuracy accuracy_ = defaultAccuracy;
    ComputeEnd lastEnd_ = ComputeEnd::None;
};

} // namespace korvane
