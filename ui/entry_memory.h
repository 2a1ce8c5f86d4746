#pragma once

#include <QString>

namespace korvane {

// Where the guided entry keeps each value the operator accepted, by the name
// of the value (Xa ... S6), so that the next compute, also after a restart,
// can offer it again. Only texts pass: the entry writes them and reads them
// back itself, so a text that is not a number is refused like a typed one.
// A store that cannot be read recalls nothing; one that cannot be written
// forgets quietly. Neither may stop the entry.
class EntryMemory {
public:
    virtual ~EntryMemory() = default;
    virtual QString recall(const char* name) = 0; // empty when nothing is kept
    virtual void remember(const char* name, const QString& text) = 0;
};

} // namespace korvane
