#pragma once

// The distance meter's accuracy kept beside the remembered entry values, as
// two exact texts, and read back as carefully: a value that is missing, not a
// number, or no usable accuracy with its partner gives the default
// instrument, without a message.

#include "entry_memory.h"

#include "figure_check.h"

namespace korvane {

DistanceAccuracy recallAccuracy(EntryMemory& memory);
void rememberAccuracy(EntryMemory& memory, DistanceAccuracy accuracy);

} // namespace korvane
