#pragma once

#include <QString>

#include <optional>

namespace korvane {

// The modal prompt of the guided entry: shows one prompt text over a one-line
// field that holds `offered`, selected, so that typing replaces it and Enter
// alone takes it (an empty `offered` leaves the field empty). `about` names
// the window's field that shows the value asked about ("Text1"): the dialog
// leaves that field and its caption in view; nullptr for a question about
// no field, which opens where Qt puts it. `refusal`, when the prompt is
// asked again for a text that was refused, says why in a line of its own
// under the prompt; empty otherwise. Returns the text of the field, or
// nothing when the operator cancels.
class InputDialog {
public:
    virtual ~InputDialog() = default;
    virtual std::optional<QString> ask(const QString& prompt, const QString& offered, const char* about,
                                       const QString& refusal) = 0;
};

} // namespace korvane
