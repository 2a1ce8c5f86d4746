#include "figure_run.h"

#include "adjustment.h"
#include "measured_side.h"

namespace korvane::batch {

FigureRun runFigure(const Observations& entered, DistanceAccuracy accuracy)
{
    FigureRun run;
    run.observations = entered;
    try {
        keepSingleCopies(run.observations, run.result);
        adjust(run.observations, run.result, {}, &run.terms);
        run.check = checkMisclosure(run.terms, run.result.w, accuracy);
    } catch (const AdjustmentError& error) {
        run.fault = error;
    }
    return run;
}

} // namespace korvane::batch
