#include "figure_run.h"

#include "vector_state.h"

#include "adjustment.h"
#include "measured_side.h"

namespace korvane::batch {

FigureRun runFigure(const Observations& entered, DistanceAccuracy accuracy)
{
    // the Qt of the command line, or of the last figure's report, may have
    // left the vector registers in a state that slows every step below
    clearUpperVectorHalves();
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
