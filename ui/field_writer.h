#pragma once

#include <QString>

namespace korvane {

// How the entry and the results display reach the window: by the name of a
// text field (Text1 ... Text28), replacing its whole text. Nothing ever reads
// a field back.
class FieldWriter {
public:
    virtual ~FieldWriter() = default;
    virtual void setFieldText(const char* field, const QString& text) = 0;
};

} // namespace korvane
