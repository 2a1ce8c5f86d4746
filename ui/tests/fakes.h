#pragma once

// Scripted stand-ins for the dialogs and the window's fields.

#include "entry_memory.h"
#include "field_writer.h"
#include "input_dialog.h"
#include "message_sink.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace korvane::testing {

// Answers each prompt with the next reply of its script and records the
// prompts and what each offered. A reply is what the operator types before
// Enter: typing replaces the offered text, an empty reply is Enter alone and
// takes it, nothing is Cancel. Running out of replies cancels, so a short
// script cannot hang.
class ScriptedDialog final : public InputDialog {
public:
    ScriptedDialog() = default;
    ScriptedDialog(std::initializer_list<std::optional<QString>> replies) : replies_(replies) {}

    void add(std::optional<QString> reply) { replies_.push_back(std::move(reply)); }
    std::optional<QString> ask(const QString& prompt, const QString& offered) override
    {
        prompts.push_back(prompt);
        offers.push_back(offered);
        if (replies_.empty())
            return std::nullopt;
        const std::optional<QString> reply = replies_.front();
        replies_.pop_front();
        if (reply && reply->isEmpty())
            return offered;
        return reply;
    }
    std::size_t unused() const { return replies_.size(); }

    QStringList prompts;
    QStringList offers;

private:
    std::deque<std::optional<QString>> replies_;
};

// The entry's memory as a map of names to texts.
class KeptTexts final : public EntryMemory {
public:
    QString recall(const char* name) override { return texts.value(QString::fromLatin1(name)); }
    void remember(const char* name, const QString& text) override
    {
        texts[QString::fromLatin1(name)] = text;
        ++writes;
    }

    QMap<QString, QString> texts;
    int writes = 0;
};

class RecordingFields final : public FieldWriter {
public:
    void setFieldText(const char* field, const QString& text) override
    {
        texts[QString::fromUtf8(field)] = text;
        writes.emplace_back(QString::fromUtf8(field), text);
    }

    QMap<QString, QString> texts;
    std::vector<std::pair<QString, QString>> writes;
};

class RecordingMessages final : public MessageSink {
public:
    void tell(const QString& text) override { messages.push_back(text); }
    QStringList messages;
};

} // namespace korvane::testing
