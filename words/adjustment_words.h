#pragma once

// The sentence the surveyor reads when a compute cannot finish, in the
// surveyor's terms: which triangle, which side, which point, never a name
// from inside the program.

#include "adjustment_error.h"

#include <string>

namespace korvane {

std::string faultMessage(const AdjustmentError& error);

} // namespace korvane
