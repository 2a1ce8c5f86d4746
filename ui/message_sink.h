#pragma once

#include <QString>

namespace korvane {

// Where the window's messages go: a modal box titled "Korvane" for the
// operator, a list for the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void tell(const QString& text) = 0;
};

} // namespace korvane
