#pragma once

// The five measured sides as the entry confirms them, one by one.

#include "records.h"

namespace korvane {

enum class MeasuredSide { S1, S2, S4, S5, S6 };

// "S1" ... "S6", as the surveyor names the side
const char* toString(MeasuredSide side);

// Keeps the single-precision copy of a side the surveyor has just confirmed
// (s1 for S1, and so on), rounded to the nearest float: the copy is what the
// report prints as the measured side, since the double field is later
// overwritten by the adjusted side. A side beyond the float range (above
// about 3.4e38 m) throws AdjustmentError: Stage::Entry, Fault::Overflow, the
// side named as above; the copy then keeps its previous value.
void keepSingleCopy(MeasuredSide side, double value, AdjustmentResult& result);

// The single copies of all five sides of `observations`, in the order the
// entry confirms them (S1, S2, S4, S5, S6): a figure whose values come whole.
void keepSingleCopies(const Observations& observations, AdjustmentResult& result);

} // namespace korvane
