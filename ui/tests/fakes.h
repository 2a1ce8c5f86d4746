#pragma once

// Scripted stand-ins for the dialogs, the settings, the printer and the
// window's fields, and the operator's replies to the entry by name.

#include "accuracy_dialog.h"
#include "field_writer.h"
#include "figure_chooser.h"
#include "input_dialog.h"
#include "message_sink.h"
#include "open_file_dialog.h"
#include "reduction_dialog.h"
#include "report_commands.h"
#include "save_file_dialog.h"
#include "settings.h"

#include "figure_compute.h"
#include "print_error.h"

#include <QApplication>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <utility>
#include <vector>

// Google Test shows a QString (and a QStringList) as its text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace korvane::testing {

// The operator's replies to the entry's prompts and confirmations, in order.
// A reply is what is typed before Enter; an empty one is Enter alone, which
// takes what the prompt offers; none is Cancel.
struct Replies : std::vector<std::optional<QString>> {
    using vector::vector;
};

inline Replies operator+(Replies first, const Replies& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// each value typed at its prompt and confirmed with Enter
inline Replies confirmed(std::span<const QString> values)
{
    Replies replies;
    for (const QString& value : values) {
        replies.push_back(value);
        replies.push_back(QString());
    }
    return replies;
}

inline Replies confirmed(std::initializer_list<QString> values)
{
    return confirmed(std::span<const QString>(values.begin(), values.size()));
}

// Enter alone at the prompts and confirmations of `values` values: each
// value offered is taken
inline Replies enterAlone(int values)
{
    return Replies(2 * static_cast<std::size_t>(values), QString());
}

// `value` typed, then 0 at its confirmation: sent back to be typed again at
// the re-entry prompt
inline Replies sentBack(const QString& value)
{
    return {value, QStringLiteral("0")};
}

// Cancel at the next prompt
inline Replies cancelled()
{
    return {std::nullopt};
}

// The compute after each of `figures` in turn, as the batch takes them
// whole; a figure that cannot be computed stops where it fails, as in the
// window.
inline FigureCompute computed(std::initializer_list<Observations> figures)
{
    FigureCompute compute;
    for (const Observations& figure : figures) {
        try {
            compute.computeWhole(figure);
        } catch (const AdjustmentError&) {
        }
    }
    return compute;
}

// Answers each prompt with the next reply of its script and records the
// prompts, why each was asked again, what each offered and the field each
// was about. A reply is what the operator types before
// Enter: typing replaces the offered text, an empty reply is Enter alone and
// takes it, nothing is Cancel. Running out of replies cancels, so a short
// script cannot hang.
class ScriptedDialog final : public InputDialog {
public:
    ScriptedDialog() = default;
    ScriptedDialog(std::initializer_list<std::optional<QString>> replies) : replies_(replies) {}

    void add(std::optional<QString> reply) { replies_.push_back(std::move(reply)); }
    void add(const Replies& replies) { replies_.insert(replies_.end(), replies.begin(), replies.end()); }
    std::optional<QString> ask(const QString& prompt, const QString& offered, const char* about,
                               const QString& refusal) override
    {
        prompts.push_back(prompt);
        refusals.push_back(refusal);
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
    QStringList refusals; // the line under each prompt, empty for none
    QStringList offers;
    QStringList fields;

private:
    std::deque<std::optional<QString>> replies_;
};

// The settings as a map of names to texts, the page of the figure as a flag.
class KeptSettings final : public Settings {
public:
    QString recall(const char* name) override { return texts.value(QString::fromLatin1(name)); }
    void remember(const char* name, const QString& text) override
    {
        texts[QString::fromLatin1(name)] = text;
        ++writes;
    }
    bool recallFigurePage() override { return figurePage; }
    void rememberFigurePage(bool wanted) override { figurePage = wanted; }

    QMap<QString, QString> texts;
    int writes = 0;
    bool figurePage = false;
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

// Answers each question for a file with the next of its replies (nothing:
// Cancel), the last one again once they run out, and records the
// questions.
class ScriptedSaveDialog final : public SaveFileDialog {
public:
    ScriptedSaveDialog(std::initializer_list<std::optional<QString>> replies) : replies_(replies) {}
    explicit ScriptedSaveDialog(std::optional<QString> reply = std::nullopt) : replies_{std::move(reply)} {}
    std::optional<QString> askSavePath(const QString& title, const QString& filter,
                                       const QString& proposedPath) override
    {
        asked.push_back({title, filter, proposedPath});
        const std::optional<QString> reply = replies_.front();
        if (replies_.size() > 1)
            replies_.pop_front();
        return reply;
    }

    struct Question {
        QString title, filter, proposedPath;
    };
    std::vector<Question> asked;

private:
    std::deque<std::optional<QString>> replies_;
};

// The default printer as the tests have it: it takes each report, records
// it and names itself 测区打印机, or fails as `failure` says.
struct PrintRecorder {
    int prints = 0;
    Observations printed;
    std::vector<bool> withFigurePage; // of each report taken
    std::vector<std::optional<RunningHeader>> headers; // of each report taken
    std::optional<PrintError::Reason> failure;

    ReportCommands::PrintJob job()
    {
        return [this](const Observations& o, const AdjustmentResult&, const FigureOrNotice* page,
                      const RunningHeader* header) -> QString {
            if (failure)
                throw PrintError(*failure, "test");
            ++prints;
            printed = o;
            withFigurePage.push_back(page != nullptr);
            headers.push_back(header ? std::optional(*header) : std::nullopt);
            return QStringLiteral("测区打印机");
        };
    }
};

// The preview as the tests have it: it counts what it was shown.
struct PreviewRecorder {
    int previews = 0;
    std::vector<bool> withFigurePage;
    std::optional<PrintError::Reason> failure;

    ReportCommands::PreviewJob job()
    {
        return [this](const Observations&, const AdjustmentResult&, const FigureOrNotice* page, const RunningHeader*) {
            if (failure)
                throw PrintError(*failure, "test");
            ++previews;
            withFigurePage.push_back(page != nullptr);
        };
    }
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
    void add(std::optional<AccuracyTexts> reply) { replies_.push_back(std::move(reply)); }
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

// Answers each question for the reduction with the next reply of its script
// (nothing: Cancel; running out cancels) and records what each offered.
class ScriptedReductionDialog final : public ReductionDialog {
public:
    ScriptedReductionDialog(std::initializer_list<std::optional<ReductionTexts>> replies) : replies_(replies) {}
    std::optional<ReductionTexts> ask(const ReductionTexts& offered) override
    {
        offers.push_back(offered);
        if (replies_.empty())
            return std::nullopt;
        const std::optional<ReductionTexts> reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

    std::vector<ReductionTexts> offers;

private:
    std::deque<std::optional<ReductionTexts>> replies_;
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
                // answered from a timer of its own: a command chosen in a
                // menu runs inside the answer, and the dialog it opens is
                // answered in turn by this timer
                QTimer::singleShot(0, &timer_, [this, widget = QPointer<QWidget>(up)] {
                    if (widget && !answer_(widget))
                        timer_.stop();
                });
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
