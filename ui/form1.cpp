#include "form1.h"

#include "caption_label.h"
#include "command_button.h"
#include "fault_message.h"
#include "font_mapping.h"
#include "guided_entry.h"
#include "layout.h"
#include "line_control.h"
#include "print_menu.h"
#include "qt_dialogs.h"
#include "results_display.h"
#include "save_file_dialog.h"
#include "settings_memory.h"

#include "adjustment.h"
#include "default_printer.h"
#include "report_preview.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

namespace {

int pixels(int twips)
{
    return twips / layout::twipsPerPixel;
}

QRect pixelRect(const layout::Control& control)
{
    return QRect(pixels(control.a), pixels(control.b), pixels(control.c), pixels(control.d));
}

QFont qtFont(const layout::ControlFont& face)
{
    QFont font(QString::fromUtf8(face.family));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    // The Song stand-ins draw these sizes from their own bitmaps, so hinting
    // changes nothing on screen; asked for, it would first make FreeType
    // analyse the whole CJK face, megabytes and milliseconds at start-up.
    if (std::string_view(face.family) == layout::songFamily)
        font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintBackground(QWidget* widget, QRgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Form1::Form1(InputDialog* dialog, MessageSink* messages, EntryMemory* memory, QWidget* parent)
    : QWidget(parent),
      ownDialog_(dialog ? nullptr : std::make_unique<QtInputDialog>(this)),
      ownMessages_(messages ? nullptr : std::make_unique<QtMessageSink>(this)),
      ownMemory_(memory ? nullptr : std::make_unique<SettingsMemory>(SettingsMemory::userFile())),
      ownSaveDialog_(std::make_unique<QtSaveFileDialog>(this)),
      dialog_(dialog ? dialog : ownDialog_.get()),
      messages_(messages ? messages : ownMessages_.get()),
      memory_(memory ? memory : ownMemory_.get()),
      saveDialog_(ownSaveDialog_.get()),
      print_(printReportOnDefaultPrinter),
      preview_([this](const Observations& o, const AdjustmentResult& r) { showReportPreview(this, o, r); }),
      beep_(QApplication::beep)
{
    mapLayoutFonts();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Korvane"));
    setFont(qtFont(layout::windowFont));
    paintBackground(this, layout::formBackground);
    buildControls();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    std::vector<std::pair<int, QWidget*>> tabStops;
    std::vector<QWidget*> lines;
    std::vector<QWidget*> onTop;
    int right = 0;
    int bottom = 0;

    for (const layout::Control& control : layout::controls()) {
        QWidget* widget = nullptr;
        switch (control.kind) {
        case layout::Kind::Label: {
            auto* label = new CaptionLabel(QString::fromUtf8(control.caption), qtFont(control.font), this);
            // The hidden label is never drawn; measuring its Chinese caption
            // in its Latin face would load a whole fallback CJK face for it.
            if (control.name == std::string_view(layout::hiddenLabel))
                label->setGeometry(pixelRect(control));
            else
                label->placeIn(pixelRect(control));
            paintBackground(label, control.colour);
            widget = label;
            break;
        }
        case layout::Kind::Field: {
            auto* field = new QLineEdit(this);
            field->setFont(qtFont(control.font));
            field->setGeometry(pixelRect(control));
            const layout::Control* caption = layout::find(control.captionLabel);
            field->setAccessibleName(QString::fromUtf8(control.pointPrefix)
                                     + QString::fromUtf8(caption->caption).trimmed());
            fields_.insert(QByteArray(control.name), field);
            tabStops.emplace_back(control.tabIndex, field);
            onTop.push_back(field);
            widget = field;
            break;
        }
        case layout::Kind::Button: {
            auto* button = new CommandButton(QString::fromUtf8(control.caption), QColor(control.colour), this);
            button->setFont(qtFont(control.font));
            button->setGeometry(pixelRect(control));
            tabStops.emplace_back(control.tabIndex, button);
            onTop.push_back(button);
            widget = button;
            break;
        }
        case layout::Kind::Line: {
            const QLine line(pixels(control.a), pixels(control.b), pixels(control.c), pixels(control.d));
            const QColor colour = control.colour == layout::defaultLineColour ? QColor() : QColor(control.colour);
            widget = new LineControl(line, colour, control.lineWidth, this);
            lines.push_back(widget);
            break;
        }
        }
        widget->setObjectName(QString::fromUtf8(control.name));
        if (control.kind != layout::Kind::Line && control.name != std::string_view(layout::hiddenLabel)) {
            right = std::max(right, widget->geometry().right() + 1);
            bottom = std::max(bottom, widget->geometry().bottom() + 1);
        }
    }

    // Lines lie under the labels (a caption on a line stays readable), and
    // fields and buttons over everything, as the layout draws them.
    for (QWidget* line : lines)
        line->lower();
    for (QWidget* widget : onTop)
        widget->raise();

    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    tabStops.front().second->setFocus();

    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &Form1::Command1_Click);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Form1::Command2_Click);
    auto* print = findChild<QPushButton*>(QStringLiteral("Command3"));
    connect(print, &QPushButton::clicked, this, &Form1::Command3_Click);
    print->setToolTip(printButtonToolTip());
    print->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(print, &QWidget::customContextMenuRequested, this, &Form1::Command3_ContextMenu);

    // the layout reaches far beyond its design client area: open wide enough
    // for all of it, and never smaller (a smaller screen scrolls the form)
    const int margin = pixels(layout::marginTwips);
    setMinimumSize(right + margin, bottom + margin);
    resize(minimumSize());
}

void Form1::setFieldText(const char* field, const QString& text)
{
    QLineEdit* edit = fields_.value(QByteArray(field));
    Q_ASSERT(edit);
    edit->setText(text);
    // keep the leading blanks in view, as the text starts there
    edit->setCursorPosition(0);
}

void Form1::Command1_Click()
{
    try {
        GuidedEntry entry(*dialog_, *this, *memory_, beep_);
        switch (entry.run(observations_, result_)) {
        case EntryOutcome::CancelledUntouched:
            return;
        case EntryOutcome::Cancelled:
            lastComputeFinished_ = false;
            return;
        case EntryOutcome::Completed:
            break;
        }
        lastComputeFinished_ = false;
        adjust(observations_, result_, [this](Milestone milestone) { showResults(milestone, result_, *this); });
        lastComputeFinished_ = true;
    } catch (const AdjustmentError& error) {
        // what was stored and shown before the fault stays; the operator
        // corrects the data and computes again
        lastComputeFinished_ = false;
        messages_->tell(faultMessage(error));
    }
}

void Form1::Command2_Click()
{
    window()->close();
    QCoreApplication::exit(0);
}

bool Form1::refuseHalfComputedRecords()
{
    // The records of a compute that stopped halfway hold new entries beside
    // the old results; a report of them would look finished and be wrong,
    // on paper, on screen or in an archived file alike.
    if (lastComputeFinished_)
        return false;
    messages_->tell(printRefusedMessage());
    return true;
}

void Form1::Command3_Click()
{
    if (refuseHalfComputedRecords())
        return;
    try {
        print_(observations_, result_);
    } catch (const PrintError& error) {
        const QString message = printFailureMessage(error.reason());
        // a desk without a printer can still keep the report, as a file
        if (error.reason() == PrintError::Reason::NoDefaultPrinter) {
            if (messages_->offer(message, saveAsPdfCaption()))
                SaveAsPdf_Click();
            return;
        }
        messages_->tell(message);
    }
}

void Form1::Command3_ContextMenu(const QPoint& position)
{
    auto* print = findChild<QPushButton*>(QStringLiteral("Command3"));
    showPrintMenu(this, print->mapToGlobal(position), [this] { PrintPreview_Click(); },
                  [this] { SaveAsPdf_Click(); });
}

void Form1::PrintPreview_Click()
{
    if (refuseHalfComputedRecords())
        return;
    try {
        preview_(observations_, result_);
    } catch (const PrintError& error) {
        messages_->tell(printFailureMessage(error.reason()));
    }
}

void Form1::SaveAsPdf_Click()
{
    if (refuseHalfComputedRecords())
        return;
    saveReportAsPdfFile(*saveDialog_, *messages_, observations_, result_);
}

} // namespace korvane
