#pragma once

// What the window keeps between runs of the program, behind one interface:
// the values the entry accepted, by name (EntryMemory), the distance meter's
// accuracy, the reduction of the measured sides, and whether the report
// takes the page of the figure. A typed setting is one pair of methods
// here. A store that cannot be read gives the defaults and one that cannot
// be written forgets quietly; neither stops a command or says a word.

#include "entry_memory.h"

#include "distance_reduction.h"
#include "figure_check.h"

namespace korvane {

class Settings : public EntryMemory {
public:
    // Kept beside the entry's values as two exact texts and read back as
    // carefully: a part that is missing, not a number, or no usable accuracy
    // with its partner gives the default instrument.
    DistanceAccuracy recallAccuracy();
    void rememberAccuracy(DistanceAccuracy accuracy);

    // Kept beside the accuracy as the choices and the exact texts of the
    // values, the values also while it is off (they are offered again).
    // Anything missing, spoilt, or a reduction that could not be used reads
    // back as no reduction: a sound figure is never reduced by a setting
    // the surveyor did not choose.
    DistanceReduction recallReduction();
    void rememberReduction(const DistanceReduction& reduction);

    // Off unless it was kept on.
    virtual bool recallFigurePage() = 0;
    virtual void rememberFigurePage(bool wanted) = 0;
};

} // namespace korvane
