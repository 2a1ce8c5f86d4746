#pragma once

// The results display: which fields a stage of the computation fills, and
// with what text, the moment the stage has stored its values.

#include "adjustment.h"
#include "records.h"

#include <QString>

#include <span>

namespace korvane {

class FieldWriter;

namespace display {

struct Row {
    Milestone milestone;
    const char* field;
    QString (*text)(const AdjustmentResult&);
};

// the nineteen result fields, in the order they are filled
std::span<const Row> rows();

} // namespace display

// Writes every field that belongs to `milestone`.
void showResults(Milestone milestone, const AdjustmentResult& result, FieldWriter& fields);

} // namespace korvane
