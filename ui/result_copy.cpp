#include "result_copy.h"

#include "guided_entry.h"
#include "results_display.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>

#include <string_view>
#include <utility>

namespace korvane {

namespace {

const CopiedValue header{QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")};

// Lets Ctrl+C through to the window's shortcut when the field has nothing
// selected; a field otherwise claims the key for itself.
class CopyKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* edit = qobject_cast<QLineEdit*>(watched);
            if (edit && !edit->hasSelectedText() && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
                return true;
        }
        return false;
    }
};

} // namespace

std::vector<CopiedValue> copiedValues(const Observations& entered, const AdjustmentResult& result,
                                      const QString& checkLine)
{
    std::vector<CopiedValue> values;
    const auto addEntered = [&](const entry::Row& row) {
        values.push_back({QString::fromUtf8(row.name), QString::fromStdString(entry::echoDigits(row, entered.*row.value)),
                          QStringLiteral("米")});
    };
    const auto addResult = [&](const display::Row& row) {
        values.push_back({QString::fromUtf8(row.item), QString::fromStdString(row.digits(result)),
                          QString::fromUtf8(row.unit)});
    };
    for (const entry::Row& row : entry::rows()) {
        addEntered(row);
        // S3 stands between S2 and S4, as in the window and on paper
        if (std::string_view(row.name) == "S2")
            addResult(display::rows().front());
    }
    // w and ms, then each point with its coordinates and precision
    const std::span<const display::Row> shown = display::rows();
    const auto addMilestones = [&](std::initializer_list<Milestone> milestones) {
        for (const Milestone milestone : milestones)
            for (const display::Row& row : shown)
                if (row.milestone == milestone && row.item)
                    addResult(row);
    };
    addMilestones({Milestone::Misclosure, Milestone::UnitWeightError, Milestone::PointB, Milestone::PrecisionB,
                   Milestone::PointD, Milestone::PrecisionD});
    if (!checkLine.isEmpty())
        values.push_back({checkLine, QString(), QString()});
    return values;
}

QString copiedText(const std::vector<CopiedValue>& values)
{
    QString text;
    const auto addRow = [&text](const CopiedValue& row) {
        text += row.item + u'\t' + row.value + u'\t' + row.unit + u'\n';
    };
    addRow(header);
    for (const CopiedValue& value : values)
        addRow(value);
    return text;
}

QString copiedHtml(const std::vector<CopiedValue>& values)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>");
    const auto addRow = [&html](const CopiedValue& row, const QString& cell) {
        html += QStringLiteral("<tr>");
        for (const QString* text : {&row.item, &row.value, &row.unit})
            html += u'<' + cell + u'>' + text->toHtmlEscaped() + QStringLiteral("</") + cell + u'>';
        html += QStringLiteral("</tr>");
    };
    addRow(header, QStringLiteral("th"));
    for (const CopiedValue& value : values)
        addRow(value, QStringLiteral("td"));
    html += QStringLiteral("</table></body></html>");
    return html;
}

void putOnClipboard(const std::vector<CopiedValue>& values)
{
    auto* data = new QMimeData;
    data->setText(copiedText(values));
    data->setHtml(copiedHtml(values));
    // the clipboard takes the data over
    QGuiApplication::clipboard()->setMimeData(data);
}

void installCopyAllKey(QWidget* window, std::function<void()> copyAll)
{
    auto* shortcut = new QShortcut(QKeySequence::Copy, window);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(copyAll));
    auto* filter = new CopyKeyFilter(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        field->installEventFilter(filter);
}

} // namespace korvane
