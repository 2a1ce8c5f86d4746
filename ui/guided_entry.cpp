#include "guided_entry.h"

#include "field_writer.h"
#include "qt_text.h"

#include "entry_words.h"

#include "exact_text.h"
#include "number_reading.h"
#include "number_text.h"

#include <array>
#include <utility>

namespace korvane {

namespace entry {

const char* const standardConfirmation =
    "确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )";

namespace {

// The first confirmation of Xa, Ya and S4 has a wording of its own, to be
// shown byte for byte as written here, the stray 出 and the leading blank
// included: surveyors read these dialogs by their exact text, and the
// entry's tests hold every byte. After a re-entry the standard text asks.
const char* const xaConfirmation =
    "确认输入是否正确出 ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )";
const char* const yaConfirmation =
    " 确认输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )";
const char* const s4Confirmation =
    "输入是否正确  ?  输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0 )";

// coordinates echo with one blank and three decimals, sides with two blanks
// and four
const auto table = std::to_array<Row>({
    {"Xa", &Observations::Xa, std::nullopt, "请输入已知点 A 的纵座标 Xa:", "Text1", 3, " ", xaConfirmation,
     "输入正确的已知点 A 的纵座标 Xa:"},
    {"Ya", &Observations::Ya, std::nullopt, "请输入已知点 A 的横座标 Ya:", "Text2", 3, " ", yaConfirmation,
     "输入正确的已知点 A 的横座标 Ya:"},
    {"Xc", &Observations::Xc, std::nullopt, "请输入已知点 C 的纵座标 Xc:", "Text3", 3, " ", standardConfirmation,
     "输入正确的已知点 C 的纵座标 Xc:"},
    {"Yc", &Observations::Yc, std::nullopt, "请输入已知点 C 的横座标 Yc:", "Text4", 3, " ", standardConfirmation,
     "输入正确的已知点 C 的横座标 Yc:"},
    {"S1", &Observations::S1, MeasuredSide::S1, "请输入 A--B 观测边长 S1: ", "Text5", 4, "  ",
     standardConfirmation, "输入正确的 A--B 的观测边长 S1: "},
    {"S2", &Observations::S2, MeasuredSide::S2, "请输入 B--C 观测边长 S2: ", "Text6", 4, "  ",
     standardConfirmation, "输入正确的 B--C 的观测边长 S2: "},
    {"S4", &Observations::S4, MeasuredSide::S4, "请输入 C--D 观测边长 S4: ", "Text8", 4, "  ",
     s4Confirmation, "输入正确的 C--D 的观测边长 S4: "},
    {"S5", &Observations::S5, MeasuredSide::S5, "请输入 D--A 观测边长 S5: ", "Text9", 4, "  ",
     standardConfirmation, "输入正确的 D--A 的观测边长 S5: "},
    {"S6", &Observations::S6, MeasuredSide::S6, "请输入 B--D 观测边长 S6: ", "Text10", 4, "  ",
     standardConfirmation, "输入正确的 B--D 的观测边长 S6: "},
});

} // namespace

std::span<const Row> rows()
{
    return table;
}

std::string echoDigits(const Row& row, double value)
{
    // the typed value as it is stored, only padded to the row's decimals; the
    // computation uses the stored value, not this text
    return fixedText(value, noRounding, row.decimals);
}

void store(const Row& row, double value, FigureCompute& compute, FieldWriter& fields)
{
    compute.store(row.value, value);
    fields.setFieldText(row.field, QString::fromUtf8(row.prefix) + QString::fromStdString(echoDigits(row, value)));
}

void accept(const Row& row, double value, EntryMemory& memory, FigureCompute& compute)
{
    // kept before the single copy, which may overflow: the surveyor then
    // finds the value offered again and mends it
    memory.remember(row.name, QString::fromStdString(exactText(value)));
    if (row.side)
        compute.keepSingleCopy(*row.side, value);
}

} // namespace entry

GuidedEntry::GuidedEntry(InputDialog& dialog, FieldWriter& fields, EntryMemory& memory,
                         std::function<void()> beep)
    : dialog_(dialog), fields_(fields), memory_(memory), beep_(std::move(beep))
{
}

// Asks until the text reads as a number. A refused text is offered again,
// selected, with the reason under the prompt, so that one key mends a slip
// where the whole value would otherwise be typed again. False when the
// operator cancels.
bool GuidedEntry::askNumber(const entry::Row& row, const char* prompt, QString offered, double& value)
{
    const QString text = QString::fromUtf8(prompt);
    QString refusal;
    for (;;) {
        const std::optional<QString> reply = dialog_.ask(text, offered, row.field, refusal);
        if (!reply)
            return false;
        const std::string typed = reply->toStdString();
        if (const std::optional<double> number = readNumber(typed)) {
            value = *number;
            return true;
        }
        offered = *reply;
        refusal = qtText(refusalLine(whyNotANumber(typed)));
        if (beep_)
            beep_();
    }
}

// The value kept from an earlier entry, as the surveyor types it; nothing
// when the kept text does not read as a number, as a typed text would not.
QString GuidedEntry::remembered(const entry::Row& row)
{
    const std::optional<double> kept = readNumber(memory_.recall(row.name).toStdString());
    if (!kept)
        return {};
    return QString::fromStdString(typedText(*kept));
}

EntryOutcome GuidedEntry::run(FigureCompute& compute)
{
    bool storedAny = false;
    for (const entry::Row& row : entry::rows()) {
        double value = 0.0;
        if (!askNumber(row, row.prompt, remembered(row), value))
            return storedAny ? EntryOutcome::Cancelled : EntryOutcome::CancelledUntouched;
        entry::store(row, value, compute, fields_);
        storedAny = true;

        const char* confirmation = row.firstConfirmation;
        for (;;) {
            const std::optional<QString> reply =
                dialog_.ask(QString::fromUtf8(confirmation), QString(), row.field, QString());
            // a cancelled confirmation is an empty reply, and empty means correct
            const ConfirmationReply answer =
                reply ? readConfirmation(reply->toStdString()) : ConfirmationReply::Accept;
            if (answer == ConfirmationReply::Accept)
                break;
            if (answer == ConfirmationReply::Unclear) {
                if (beep_)
                    beep_();
                continue;
            }
            fields_.setFieldText(row.field, QString());
            if (!askNumber(row, row.reentryPrompt, QString::fromStdString(typedText(value)), value))
                return EntryOutcome::Cancelled;
            entry::store(row, value, compute, fields_);
            confirmation = entry::standardConfirmation;
        }

        entry::accept(row, value, memory_, compute);
    }
    return EntryOutcome::Completed;
}

void enterFigure(const Observations& values, FigureCompute& compute, FieldWriter& fields, EntryMemory& memory)
{
    for (const entry::Row& row : entry::rows()) {
        entry::store(row, values.*row.value, compute, fields);
        entry::accept(row, values.*row.value, memory, compute);
    }
}

} // namespace korvane
