#pragma once

#include "adjustment.h"

namespace korvane {

// Tells the listener, when there is one, that a stage has stored its values.
inline void notify(const MilestoneListener& listener, Milestone milestone)
{
    if (listener)
        listener(milestone);
}

} // namespace korvane
