#pragma once

#include "records.h"

namespace korvane {

// S3 from the coordinates of A and C, stored in `result` at once; returns the
// azimuth of A->C in degrees, clockwise from north, in [0, 360).
double computeKnownSide(const Observations& observations, AdjustmentResult& result);

} // namespace korvane
