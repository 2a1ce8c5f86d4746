#pragma once

#include <QString>

#include <optional>

namespace korvane {

// The modal prompt of the guided entry: shows one prompt text over an empty
// one-line field. Returns the typed text, or nothing when the operator
// cancels.
class InputDialog {
public:
    virtual ~InputDialog() = default;
    virtual std::optional<QString> ask(const QString& prompt) = 0;
};

} // namespace korvane
