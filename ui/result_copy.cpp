#include "result_copy.h"

#include "guided_entry.h"
#include "results_display.h"

#include "csv_text.h"
#include "observation_file.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include <algorithm>
#include <string_view>

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
                                      const QString& checkLine, const FigureIdentity& figure)
{
    std::vector<CopiedValue> values;
    if (figure.fromFile()) {
        if (!figure.name.empty())
            values.push_back({QStringLiteral("名称"), QString::fromStdString(figure.name), QString(), true});
        // headed as the observation file's columns
        for (std::size_t i = 0; i < figure.points.size(); ++i)
            values.push_back({QString::fromUtf8(files::pointNameColumns[i]), QString::fromStdString(figure.points[i]),
                              QString(), true});
    }
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

namespace {

// a text cell as a spreadsheet must take it: never a formula
QString guarded(const QString& text)
{
    return QString::fromStdString(files::formulaGuarded(text.toStdString()));
}

// A text cell of the tab-separated form: guarded, and in double quotes (a
// quote inside doubled) where it holds a tab, a quote or a line end, as
// spreadsheets read pasted text, so that a name from a file stays one cell.
QString tabbedCell(const QString& text)
{
    QString cell = guarded(text);
    const auto breaksTheCell = [](QChar c) { return c == u'\t' || c == u'"' || c == u'\r' || c == u'\n'; };
    if (std::none_of(cell.begin(), cell.end(), breaksTheCell))
        return cell;
    return u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString copiedText(const std::vector<CopiedValue>& values)
{
    QString text;
    const auto addRow = [&text](const CopiedValue& row) {
        text += tabbedCell(row.item) + u'\t' + (row.text ? tabbedCell(row.value) : row.value) + u'\t'
                + tabbedCell(row.unit) + u'\n';
    };
    addRow(header);
    for (const CopiedValue& value : values)
        addRow(value);
    return text;
}

namespace {

// A number's cell keeps the decimals it has in the window: a spreadsheet
// would show 2188.650 as 2188.65 in its general format. Excel reads the
// mso-number-format, LibreOffice sdval and sdnum (in the US locale's
// notation, whatever the desktop's).
QString numberCell(const QString& value)
{
    const qsizetype point = value.indexOf(u'.');
    const qsizetype decimals = point < 0 ? 0 : value.size() - point - 1;
    const QString format = decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, u'0');
    return QStringLiteral("<td sdval=\"%1\" sdnum=\"1033;0;%2\" style='mso-number-format:\"%3\"'>%1</td>")
        .arg(value, format, QString(format).replace(u'.', QStringLiteral("\\.")));
}

} // namespace

QString copiedHtml(const std::vector<CopiedValue>& values)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>");
    const auto cell = [](const QString& tag, const QString& text) {
        return u'<' + tag + u'>' + guarded(text).toHtmlEscaped() + QStringLiteral("</") + tag + u'>';
    };
    html += QStringLiteral("<tr>") + cell(QStringLiteral("th"), header.item) + cell(QStringLiteral("th"), header.value)
            + cell(QStringLiteral("th"), header.unit) + QStringLiteral("</tr>");
    for (const CopiedValue& row : values) {
        // the check line across the whole table
        if (row.value.isEmpty() && !row.text) {
            html += QStringLiteral("<tr><td colspan=\"3\">") + guarded(row.item).toHtmlEscaped()
                    + QStringLiteral("</td></tr>");
            continue;
        }
        html += QStringLiteral("<tr>") + cell(QStringLiteral("td"), row.item)
                + (row.text ? cell(QStringLiteral("td"), row.value) : numberCell(row.value))
                + cell(QStringLiteral("td"), row.unit) + QStringLiteral("</tr>");
    }
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

void letFieldsPassTheCopyKey(QWidget* window)
{
    auto* filter = new CopyKeyFilter(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        field->installEventFilter(filter);
}

} // namespace korvane
