#pragma once

// Scripted stand-ins for the dialogs and the window's fields.

#include "accuracy_dialog.h"
#include "entry_memory.h"
#include "field_writer.h"
#include "figure_chooser.h"
#include "input_dialog.h"
#include "message_sink.h"
#include "open_file_dialog.h"
#include "save_file_dialog.h"

#include <QApplication>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

// Google Test shows a QString (and a QStringList) as its text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace korvane::testing {

// Answers each prompt with the next reply of its script and records the
// prompts, what each offered and the field each was about. A reply is what the operator types before
// Enter: typing replaces the offered text, an empty reply is Enter alone and
// takes it, nothing is Cancel. Running out of replies cancels, so a short
// script cannot hang.
class ScriptedDialog final : public InputDialog {
public:
    ScriptedDialog() = default;
    ScriptedDialog(std::initializer_list<std::optional<QString>> replies) : replies_(replies) {}

    void add(std::optional<QString> reply) { replies_.push_back(std::move(reply)); }
    std::optional<QString> ask(const QString& prompt, const QString& offered, const char* about) override
    {
        prompts.push_back(prompt);
        offers.push_back(offered);
        fields.push_back(QString::fromLatin1(about));
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
    QStringList fields;

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

// Records every message; an offered way on is taken when `takeOffers`.
class RecordingMessages final : public MessageSink {
public:
    void tell(const QString& text) override { messages.push_back(text); }
    bool offer(const QString& text, const QString& action) override
    {
        messages.push_back(text);
        offers.push_back(action);
        return takeOffers;
    }
    QStringList messages;
    QStringList offers;
    bool takeOffers = false;
};

// Answers every question for a file with `reply` (nothing: Cancel) and
// records the questions.
class ScriptedSaveDialog final : public SaveFileDialog {
public:
    explicit ScriptedSaveDialog(std::optional<QString> reply = std::nullopt) : reply_(std::move(reply)) {}
    std::optional<QString> askSavePath(const QString& title, const QString& filter,
                                       const QString& proposedPath) override
    {
        asked.push_back({title, filter, proposedPath});
        return reply_;
    }

    struct Question {
        QString title, filter, proposedPath;
    };
    std::vector<Question> asked;

private:
    std::optional<QString> reply_;
};

// Answers every question for a file to open with `reply` (nothing: Cancel)
// and records the folders offered.
class ScriptedOpenDialog final : public OpenFileDialog {
public:
    explicit ScriptedOpenDialog(std::optional<QString> reply = std::nullopt) : reply_(std::move(reply)) {}
    std::optional<QString> askOpenPath(const QString& title, const QString& filter, const QString& folder) override
    {
        titles.push_back(title);
        filters.push_back(filter);
        folders.push_back(folder);
        return reply_;
    }
    QStringList titles, filters, folders;

private:
    std::optional<QString> reply_;
};

// Takes the figure at `index` (nothing: Cancel) and records what was offered.
class ScriptedChooser final : public FigureChooser {
public:
    explicit ScriptedChooser(std::optional<std::size_t> index = std::nullopt) : index_(index) {}
    std::optional<std::size_t> choose(const QString&, const std::vector<FigureChoice>& figures) override
    {
        for (const FigureChoice& figure : figures)
            offered << figureChoiceText(figure);
        return index_;
    }
    QStringList offered;

private:
    std::optional<std::size_t> index_;
};

// Answers each question for the accuracy with the next reply of its script
// (nothing: Cancel; running out cancels) and records what each offered.
class ScriptedAccuracyDialog final : public AccuracyDialog {
public:
    ScriptedAccuracyDialog(std::initializer_list<std::optional<AccuracyTexts>> replies) : replies_(replies) {}
    std::optional<AccuracyTexts> ask(const AccuracyTexts& offered) override
    {
        offers.push_back(offered);
        if (replies_.empty())
            return std::nullopt;
        const std::optional<AccuracyTexts> reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

    std::vector<AccuracyTexts> offers;

private:
    std::deque<std::optional<AccuracyTexts>> replies_;
};

// The operator at the real dialogs: each time a modal dialog or a menu is up,
// hands it to `answer` once, from a zero-length timer as its own event loop
// runs. Stops when `answer` returns false.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool(QWidget*)> answer) : answer_(std::move(answer))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* up = QApplication::activePopupWidget();
            if (!up)
                up = QApplication::activeModalWidget();
            // marked rather than remembered by address: a dialog asked again
            // from the same place is a new one at the same address
            if (up && !up->property(answered).toBool()) {
                up->setProperty(answered, true);
                if (!answer_(up))
                    timer_.stop();
            }
        });
        timer_.start();
    }

private:
    static constexpr const char* answered = "answeredByModalDriver";
    std::function<bool(QWidget*)> answer_;
    QTimer timer_;
};

} // namespace korvane::testing
