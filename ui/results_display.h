#pragma once

// The results display: which fields a stage of the computation fills, and
// with what text, the moment the stage has stored its values.

#include "adjustment.h"
#include "records.h"

#include <QString>

#include <span>
#include <string>

namespace korvane {

class FieldWriter;

namespace display {

struct Row {
    Milestone milestone;
    const char* field;
    // the value's name where the results are copied out of the window;
    // nullptr for the point names, which are no value
    const char* item;
    const char* prefix; // blanks before the number
    std::string (*digits)(const AdjustmentResult&);
    const char* unit;   // of the value
    bool unitShown;     // whether the field writes the unit after the number
};

// the nineteen result fields, in the order they are filled
std::span<const Row> rows();

// the field's whole text: prefix, digits, and the unit where it is shown
QString fieldText(const Row& row, const AdjustmentResult& result);

} // namespace display

// Writes every field that belongs to `milestone`.
void showResults(Milestone milestone, const AdjustmentResult& result, FieldWriter& fields);

} // namespace korvane
