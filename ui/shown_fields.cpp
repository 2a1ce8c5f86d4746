#include "shown_fields.h"

#include <QLineEdit>
#include <QStyle>

namespace korvane {

namespace {

// QLineEdit keeps this many pixels between its frame and its text, on
// either side
constexpr int lineEditTextMargin = 2;

bool fits(const QLineEdit& field, const QString& text)
{
    const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
    const QMargins margins = field.textMargins();
    const int room = field.width() - 2 * frame - 2 * lineEditTextMargin - margins.left() - margins.right();
    return field.fontMetrics().horizontalAdvance(text) <= room;
}

void setTextColour(QLineEdit& field, const QColor& colour)
{
    QPalette palette = field.palette();
    palette.setColor(QPalette::Text, colour);
    field.setPalette(palette);
}

} // namespace

QColor staleFieldColour()
{
    return QColor(128, 128, 128);
}

void ShownFields::add(const QByteArray& name, QLineEdit* field)
{
    field->setReadOnly(true);
    fields_.insert(name, field);
}

void ShownFields::setFieldText(const char* name, const QString& text)
{
    const QByteArray key(name);
    QLineEdit* field = fields_.value(key);
    Q_ASSERT(field);
    field->setText(text);
    // keep the leading blanks in view, as the text starts there
    field->setCursorPosition(0);
    field->setToolTip(fits(*field, text) ? QString() : text);
    // the window's own text colour: the field now holds this compute's text
    setTextColour(*field, field->parentWidget()->palette().color(QPalette::Text));
    written_.insert(key);
}

void ShownFields::computeStarted()
{
    written_.clear();
}

void ShownFields::computeStopped()
{
    for (auto field = fields_.cbegin(); field != fields_.cend(); ++field)
        if (!written_.contains(field.key()))
            setTextColour(*field.value(), staleFieldColour());
}

} // namespace korvane
