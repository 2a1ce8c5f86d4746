#pragma once

#include <QString>

#include <optional>

namespace korvane {

// The modal prompt of the guided entry: shows one prompt text over a one-line
// field that holds `offered`, selected, so that typing replaces it and Enter
// alone takes it (an empty `offered` leaves the field empty). Returns the
// text of the field, or nothing when the operator cancels.
class InputDialog {
public:
    virtual ~InputDialog() = default;
    virtual std::optional<QString> ask(const QString& prompt, const QString& offered) = 0;
};

} // namespace korvane
