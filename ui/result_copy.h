#pragma once

// 复制全部结果: every value of the window on the clipboard at once, as a table
// that pastes into WPS, Excel or LibreOffice: one row per value, the columns
// 项目, 数值 and 单位, the numbers with their fields' digits but without the
// fields' leading blanks and unit words. The same rows go on the clipboard
// as tab-separated text and as an HTML table, in one entry, so a plain
// editor and a spreadsheet's rich paste both get them.

#include "records.h"

#include <QString>

#include <vector>

class QWidget;

namespace korvane {

struct CopiedValue {
    QString item;
    QString value;
    QString unit;
};

// Xa to S6 as entered (S3 among them, as in the window), then w, ms, and B
// and D each with its coordinates and precision, then `figureRows` (the
// strength of a finished figure: its values, then its sentences whole in the
// first column), then the check line of the misclosure, when there is one,
// whole in the first column.
std::vector<CopiedValue> copiedValues(const Observations& entered, const AdjustmentResult& result,
                                      const QString& checkLine = {},
                                      const std::vector<CopiedValue>& figureRows = {});

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
