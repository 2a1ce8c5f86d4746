#pragma once

// The window's 28 text fields as the surveyor sees them. They only show: the
// program never reads them back, so they are read-only (still in the tab
// order, their text still selectable and copyable), and the screen cannot
// come to disagree with the report. A text wider than its field is shown
// whole as the field's tooltip. When a compute stops before its end, every
// field it did not write turns grey: its text belongs to an earlier compute,
// or to none; the texts themselves never change for it.

#include "field_writer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QSet>

class QLineEdit;

namespace korvane {

class ShownFields final : public FieldWriter {
public:
    // Takes `field` under `name` (Text1 ... Text28) and makes it read-only.
    void add(const QByteArray& name, QLineEdit* field);

    void setFieldText(const char* field, const QString& text) override;

    // A compute begins: no field is written by it yet.
    void computeStarted();
    // It stopped before its end: the fields it did not write turn grey.
    void computeStopped();

private:
    QHash<QByteArray, QLineEdit*> fields_;
    QSet<QByteArray> written_;
};

// the colour of a field whose text is not the last compute's
QColor staleFieldColour();

} // namespace korvane
