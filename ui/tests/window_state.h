#pragma once

// The window as a test reads it and drives it: the texts of its fields, the
// records bit for bit, what the settings kept, the figures typed into it and
// the context menus of its buttons.

#include "fakes.h"
#include "form1.h"
#include "record_bits.h"

#include "exact_text.h"
#include "records.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korvane::testing {

using Typed = std::array<QString, 9>; // Xa, Ya, Xc, Yc, S1, S2, S4, S5, S6 as typed

// the worked example of a braced rhombus of about 900 m sides, as typed
inline const Typed workedExample{"3521.418", "1204.337", "4497.112", "2188.650", "902.1006",
                                 "870.9382", "889.6279", "951.5497", "1158.3709"};

// A = (3000, 2000), B = (3480, 2350), C = (3300, 2950), D = (2700, 2700), the
// sides measured with errors of 4 to 13 mm
inline const Typed fieldNetwork{"3000", "2000", "3300", "2950", "594.0588",
                                "626.4107", "650.0073", "761.5807", "854.9202"};

// the nine values of `o` as the surveyor types them
inline Typed typedValues(const Observations& o)
{
    Typed texts;
    const double values[] = {o.Xa, o.Ya, o.Xc, o.Yc, o.S1, o.S2, o.S4, o.S5, o.S6};
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::fromStdString(typedText(values[i]));
    return texts;
}

// `values` with one of them typed otherwise
inline Typed withValue(Typed values, std::size_t index, const QString& text)
{
    values[index] = text;
    return values;
}

inline void typeAll(ScriptedDialog& dialog, const Typed& values)
{
    dialog.add(confirmed(values));
}

inline QString fieldText(const Form1& form, const char* name)
{
    const auto* field = form.findChild<QLineEdit*>(QString::fromUtf8(name));
    return field ? field->text() : QStringLiteral("<no field %1>").arg(QString::fromUtf8(name));
}

inline QMap<QString, QString> fieldTexts(const Form1& form)
{
    QMap<QString, QString> texts;
    for (const QLineEdit* field : form.findChildren<QLineEdit*>())
        texts[field->objectName()] = field->text();
    return texts;
}

// Everything a compute leaves: the fields' texts, the records bit for bit,
// what is remembered for the next compute, whether the records agree.
struct WindowState {
    QMap<QString, QString> fields;
    std::vector<std::uint64_t> records;
    QMap<QString, QString> remembered;
    bool agree;
    bool operator==(const WindowState&) const = default;
};

inline WindowState stateOf(const Form1& form, const KeptSettings& settings)
{
    WindowState state{fieldTexts(form), bits(form.compute().result()), settings.texts,
                      form.compute().recordsAgree()};
    const Observations& o = form.compute().observations();
    for (double value : {o.Xa, o.Ya, o.Xc, o.Yc, o.S1, o.S2, o.S4, o.S5, o.S6})
        state.records.push_back(std::bit_cast<std::uint64_t>(value));
    return state;
}

// the window's state after `values` were typed into a new window
inline WindowState typedCompute(const Typed& values)
{
    ScriptedDialog dialog;
    typeAll(dialog, values);
    RecordingMessages messages;
    KeptSettings settings;
    Form1 form({.input = &dialog, .messages = &messages, .settings = &settings});
    form.Command1_Click();
    return stateOf(form, settings);
}

// Opens the context menu of `button` as the surveyor does, by a right click
// or the Menu key, and takes its action `chosen` (-1: Escape); returns the
// texts it offered and whether each was checked.
inline QStringList chooseFromMenu(QPushButton* button, QContextMenuEvent::Reason reason, int chosen)
{
    QStringList offered;
    ModalDriver driver([&](QWidget* up) {
        if (auto* menu = qobject_cast<QMenu*>(up)) {
            for (const QAction* action : menu->actions())
                offered << action->text() + (action->isChecked() ? " ✓" : "");
            if (chosen < 0) {
                QTest::keyClick(menu, Qt::Key_Escape);
            } else {
                menu->setActiveAction(menu->actions().value(chosen));
                QTest::keyClick(menu, Qt::Key_Return);
            }
        }
        return false;
    });
    QContextMenuEvent event(reason, button->rect().center(), button->mapToGlobal(button->rect().center()));
    QApplication::sendEvent(button, &event);
    return offered;
}

} // namespace korvane::testing
