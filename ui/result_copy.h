#pragma once

// 复制全部结果: every value of the window on the clipboard at once, as a table
// that pastes into WPS, Excel or LibreOffice: one row per value, the columns
// 项目, 数值 and 单位, the numbers with their fields' digits but without the
// fields' leading blanks and unit words. The same rows go on the clipboard
// as tab-separated text and as an HTML table, in one entry, so a plain
// editor and a spreadsheet's rich paste both get them. A figure from a file
// starts with its name and its points' names.
//
// No text cell can start a formula in the spreadsheet it is pasted into: one
// that would gets the guard of the files Korvane writes (csv_text.h), in
// both forms; a number cell is left as it is, so a negative coordinate stays
// a number.

#include "figure_identity.h"
#include "records.h"

#include <QString>

#include <vector>

class QWidget;

namespace korvane {

struct CopiedValue {
    QString item;
    QString value;
    QString unit;
    bool text = false; // a value that is a name, not a number
};

// For a figure from a file its name (名称) and its points' names (A点名 to
// D点名) first; then Xa to S6 as entered (S3 among them, as in the window),
// w, ms, and B and D each with its coordinates and precision, then the check
// line of the misclosure, when there is one, whole in the first column.
std::vector<CopiedValue> copiedValues(const Observations& entered, const AdjustmentResult& result,
                                      const QString& checkLine = {}, const FigureIdentity& figure = {});

// the header row, then one row per value, tab-separated, "\n" after each
QString copiedText(const std::vector<CopiedValue>& values);
QString copiedHtml(const std::vector<CopiedValue>& values);

// Replaces the clipboard's contents with both forms.
void putOnClipboard(const std::vector<CopiedValue>& values);

// Lets Ctrl+C in a field of `window` with nothing selected through to the
// window's own copy of all results; a field with selected text copies its
// selection, as any field does.
void letFieldsPassTheCopyKey(QWidget* window);

} // namespace korvane
