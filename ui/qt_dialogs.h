#pragma once

// The real dialogs behind InputDialog and MessageSink, with Chinese buttons.

#include "input_dialog.h"
#include "message_sink.h"

class QWidget;

namespace korvane {

// A modal QInputDialog showing the prompt over a field holding the offered
// text, selected, titled with the application's name. It opens beside the
// window's field that it asks about, which is scrolled into view first; a
// field that `parent` does not hold leaves the placement to Qt, centred on
// the window.
class QtInputDialog final : public InputDialog {
public:
    explicit QtInputDialog(QWidget* parent) : parent_(parent) {}
    std::optional<QString> ask(const QString& prompt, const QString& offered, const char* about,
                               const QString& refusal) override;

private:
    QWidget* parent_;
};

class QtMessageSink final : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent) : parent_(parent) {}
    void tell(const QString& text) override;
    // the way on is the default button; "取消" closes, as the box declines it
    bool offer(const QString& text, const QString& action) override;

private:
    QWidget* parent_;
};

} // namespace korvane
