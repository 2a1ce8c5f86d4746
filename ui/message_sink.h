#pragma once

#include <QString>

namespace korvane {

// Where the window's messages go: a modal box titled "Korvane" for the
// operator, a list for the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void tell(const QString& text) = 0;
    // A message that offers one way on beside closing it. True when the
    // operator takes it; a sink that cannot offer only tells.
    virtual bool offer(const QString& text, const QString& action)
    {
        (void)action;
        tell(text);
        return false;
    }
};

} // namespace korvane
