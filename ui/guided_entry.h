#pragma once

// The guided entry of the nine values that opens the compute command: each
// value is asked for, echoed in its field and confirmed (Enter) or rejected
// (0) and asked for again, as often as the operator likes. An accepted side
// gets its single-precision copy before the next value is asked for.
//
// Each accepted value is remembered at once, and every later compute, also
// after a restart, offers it again at its prompt: the surveyor who spots one
// mistyped side after a compute corrects it with one typed value and Enter on
// all the rest. A value sent back with 0 is offered at its re-entry prompt,
// and a text that does not read as a number at the prompt that asks again,
// so one wrong digit can be mended in place; neither is ever remembered.

#include "entry_memory.h"
#include "input_dialog.h"

#include "figure_compute.h"
#include "measured_side.h"
#include "records.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace korvane {

class FieldWriter;

namespace entry {

struct Row {
    const char* name; // as the value is remembered
    double Observations::*value;
    std::optional<MeasuredSide> side; // none for the coordinates
    const char* prompt;
    const char* field;
    int decimals; // of the echo
    const char* prefix;
    const char* firstConfirmation;
    const char* reentryPrompt;
};

// "Enter if correct, 0 if not"; asked after every re-entry, and on the first
// pass of most values (a few have their own wording on the first pass)
extern const char* const standardConfirmation;

// the nine rows, in the order of entry
std::span<const Row> rows();

// The digits a value's field echoes, without the blanks in front: the value
// as stored, padded to the row's decimals.
std::string echoDigits(const Row& row, double value);

// Stores a value and shows it in its field, the moment it is typed.
void store(const Row& row, double value, FigureCompute& compute, FieldWriter& fields);

// What a confirmed value leaves behind: it is remembered for the next
// compute, and a side gets its single-precision copy. Throws AdjustmentError
// when a side does not fit a single.
void accept(const Row& row, double value, EntryMemory& memory, FigureCompute& compute);

} // namespace entry

enum class EntryOutcome {
    Completed,        // all nine values accepted
    CancelledUntouched, // Cancel on the very first prompt: no value was stored
    Cancelled,        // Cancel on a later prompt: the values stored so far stay
};

class GuidedEntry {
public:
    // `beep` sounds when an entry is refused; tests pass a counter.
    GuidedEntry(InputDialog& dialog, FieldWriter& fields, EntryMemory& memory, std::function<void()> beep);

    // Stores the values in `compute` as they are typed. Throws
    // AdjustmentError when an accepted side does not fit a single.
    EntryOutcome run(FigureCompute& compute);

private:
    bool askNumber(const entry::Row& row, const char* prompt, QString offered, double& value);
    QString remembered(const entry::Row& row);

    InputDialog& dialog_;
    FieldWriter& fields_;
    EntryMemory& memory_;
    std::function<void()> beep_;
};

// A figure whose nine values come whole, from an observation file: each is
// stored, shown, remembered and copied to single precision in the order of
// the entry, exactly as if typed and confirmed with Enter. Throws
// AdjustmentError as the entry does.
void enterFigure(const Observations& values, FigureCompute& compute, FieldWriter& fields, EntryMemory& memory);

} // namespace korvane
