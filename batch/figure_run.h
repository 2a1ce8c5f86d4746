#pragma once

// One figure of a batch, computed as the window computes it: the single
// copies of the sides as the entry takes them, the adjustment, and the check
// of the misclosure at the batch's accuracy.

#include "adjustment_error.h"
#include "adjustment_terms.h"
#include "figure_check.h"
#include "records.h"

#include <optional>

namespace korvane::batch {

struct FigureRun {
    Observations observations; // the adjusted sides once computed
    AdjustmentResult result;
    AdjustmentTerms terms;
    MisclosureCheck check;
    std::optional<AdjustmentError> fault; // the figure could not be computed
};

// Never throws: a fault of the computation is kept in the run.
FigureRun runFigure(const Observations& entered, DistanceAccuracy accuracy);

} // namespace korvane::batch
