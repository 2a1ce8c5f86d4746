#include "form1.h"

#include "accuracy_dialog.h"
#include "accuracy_setting.h"
#include "caption_label.h"
#include "command_button.h"
#include "command_menu.h"
#include "compute_menu.h"
#include "fault_message.h"
#include "figure_chooser.h"
#include "figure_window.h"
#include "font_mapping.h"
#include "guided_entry.h"
#include "layout.h"
#include "line_control.h"
#include "open_file_dialog.h"
#include "print_menu.h"
#include "qt_dialogs.h"
#include "result_copy.h"
#include "results_display.h"
#include "save_file_dialog.h"
#include "settings_memory.h"
#include "window_menu.h"

#include "adjustment.h"
#include "default_printer.h"
#include "report_preview.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

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
      ownAccuracyDialog_(std::make_unique<QtAccuracyDialog>(this)),
      ownOpenDialog_(std::make_unique<QtOpenFileDialog>(this)),
      ownChooser_(std::make_unique<QtFigureChooser>(this)),
      dialog_(dialog ? dialog : ownDialog_.get()),
      messages_(messages ? messages : ownMessages_.get()),
      memory_(memory ? memory : ownMemory_.get()),
      saveDialog_(ownSaveDialog_.get()),
      accuracyDialog_(ownAccuracyDialog_.get()),
      openDialog_(ownOpenDialog_.get()),
      chooser_(ownChooser_.get()),
      print_([this](const Observations& o, const AdjustmentResult& r) {
          const std::optional<FigureOrNotice> page = figurePage();
          return printReportOnDefaultPrinter(o, r, page ? &*page : nullptr);
      }),
      preview_([this](const Observations& o, const AdjustmentResult& r) {
          const std::optional<FigureOrNotice> page = figurePage();
          showReportPreview(this, o, r, page ? &*page : nullptr);
      }),
      beep_(QApplication::beep)
{
    mapLayoutFonts();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Korvane"));
    setFont(qtFont(layout::windowFont));
    paintBackground(this, layout::formBackground);
    buildControls();
    accuracy_ = recallAccuracy(*memory_);
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
            fields_.add(QByteArray(control.name), field);
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

    // in the empty band under the title, outside the layout's table
    checkLine_ = new CheckLine(this);
    checkLine_->setFont(qtFont(layout::song9Bold));

    auto* compute = findChild<QPushButton*>(QStringLiteral("Command1"));
    connect(compute, &QPushButton::clicked, this, &Form1::Command1_Click);
    compute->setToolTip(computeButtonToolTip());
    compute->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(compute, &QWidget::customContextMenuRequested, this, &Form1::Command1_ContextMenu);
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this, &Form1::FigureWindow_Open);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Form1::Command2_Click);
    auto* print = findChild<QPushButton*>(QStringLiteral("Command3"));
    connect(print, &QPushButton::clicked, this, &Form1::Command3_Click);
    print->setToolTip(printButtonToolTip());
    print->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(print, &QWidget::customContextMenuRequested, this, &Form1::Command3_ContextMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &Form1::Form1_ContextMenu);
    connect(new QShortcut(openObservationsKey(), this), &QShortcut::activated, this, &Form1::OpenObservations_Click);
    connect(new QShortcut(saveObservationsKey(), this), &QShortcut::activated, this, &Form1::SaveObservations_Click);
    installCopyAllKey(this, [this] { CopyResults_Click(); });

    // the layout reaches far beyond its design client area: open wide enough
    // for all of it, and never smaller (a smaller screen scrolls the form)
    const int margin = pixels(layout::marginTwips);
    setMinimumSize(right + margin, bottom + margin);
    resize(minimumSize());
}

void Form1::Command1_Click()
{
    fields_.computeStarted();
    EntryOutcome outcome = EntryOutcome::CancelledUntouched;
    try {
        GuidedEntry entry(*dialog_, fields_, *memory_, beep_);
        outcome = entry.run(observations_, result_);
    } catch (const AdjustmentError& error) {
        // a side beyond single precision: the values shown so far stay
        entered_.reset();
        endCompute(ComputeEnd::StoppedBeforeMisclosure);
        messages_->tell(faultMessage(error));
        return;
    }
    switch (outcome) {
    case EntryOutcome::CancelledUntouched:
        return;
    case EntryOutcome::Cancelled:
        entered_.reset();
        endCompute(ComputeEnd::StoppedBeforeMisclosure);
        return;
    case EntryOutcome::Completed:
        entered_ = observations_;
        adjustEntered();
        return;
    }
}

void Form1::adjustEntered()
{
    bool misclosureStored = false;
    try {
        adjust(
            observations_, result_,
            [&](Milestone milestone) {
                misclosureStored = misclosureStored || milestone == Milestone::Misclosure;
                showResults(milestone, result_, fields_);
            },
            &terms_);
        endCompute(ComputeEnd::Finished);
    } catch (const AdjustmentError& error) {
        // what was stored and shown before the fault stays; the operator
        // corrects the data and computes again
        endCompute(misclosureStored ? ComputeEnd::StoppedAfterMisclosure : ComputeEnd::StoppedBeforeMisclosure);
        messages_->tell(faultMessage(error));
    }
}

void Form1::endCompute(ComputeEnd end)
{
    lastEnd_ = end;
    if (end != ComputeEnd::Finished)
        fields_.computeStopped();
    showCheck();
}

void Form1::Command1_ContextMenu(const QPoint& position)
{
    auto* compute = findChild<QPushButton*>(QStringLiteral("Command1"));
    const MenuCommand commands[] = {
        {accuracyCaption(), [this] { DistanceAccuracy_Click(); }},
        {figureWindowCaption(), [this] { FigureWindow_Open(); }, QKeySequence(Qt::Key_F3)},
        {openObservationsCaption(), [this] { OpenObservations_Click(); }, openObservationsKey()},
        {saveObservationsCaption(), [this] { SaveObservations_Click(); }, saveObservationsKey()},
    };
    showCommandMenu(this, compute->mapToGlobal(position), commands);
}

void Form1::DistanceAccuracy_Click()
{
    const std::optional<DistanceAccuracy> chosen = askAccuracy(*accuracyDialog_, *messages_, accuracy_);
    if (!chosen)
        return;
    accuracy_ = *chosen;
    rememberAccuracy(*memory_, accuracy_);
    // the last compute judged again against the instrument now named
    showCheck();
}

void Form1::showCheck()
{
    checkLine_->judge(lastEnd_, terms_, result_.w, accuracy_);
    if (figureWindow_)
        figureWindow_->showFigure(figure());
}

void Form1::FigureWindow_Open()
{
    if (!figureWindow_) {
        figureWindow_ = new FigureWindow(this);
        figureWindow_->showFigure(figure());
    }
    figureWindow_->show();
    figureWindow_->raise();
    figureWindow_->activateWindow();
}

FigureOrNotice Form1::figure() const
{
    // the records of a compute that stopped halfway mix two runs
    if (lastEnd_ != ComputeEnd::Finished)
        return noFinishedComputeText();
    try {
        return figureSheet(observations_, result_, terms_, accuracy_);
    } catch (const AdjustmentError& error) {
        return faultMessage(error).toStdString();
    }
}

std::optional<FigureOrNotice> Form1::figurePage() const
{
    if (!figurePageWanted())
        return std::nullopt;
    return figure();
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
    if (lastComputeFinished())
        return false;
    messages_->tell(printRefusedMessage());
    return true;
}

void Form1::Command3_Click()
{
    if (refuseHalfComputedRecords())
        return;
    try {
        // the job leaves the window without a sound: say where it went
        checkLine_->announce(printSentNotice(print_(observations_, result_)));
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
    const std::optional<FigureOrNotice> page = figurePage();
    if (const std::optional<QString> path =
            saveReportAsPdfFile(*saveDialog_, *messages_, observations_, result_, page ? &*page : nullptr))
        checkLine_->announce(pdfSavedNotice(*path));
}

void Form1::OpenObservations_Click()
{
    const std::optional<Observations> values = observationFiles_.open(*openDialog_, *chooser_, *messages_);
    if (!values)
        return;
    // the figure goes in as if typed: every echo, memory and single copy
    fields_.computeStarted();
    entered_.reset();
    try {
        enterFigure(*values, observations_, result_, fields_, *memory_);
    } catch (const AdjustmentError& error) {
        endCompute(ComputeEnd::StoppedBeforeMisclosure);
        messages_->tell(faultMessage(error));
        return;
    }
    entered_ = *values;
    adjustEntered();
}

void Form1::SaveObservations_Click()
{
    if (!entered_) {
        messages_->tell(nothingToSaveMessage());
        return;
    }
    observationFiles_.save(*saveDialog_, *dialog_, *messages_, *entered_);
}

void Form1::Form1_ContextMenu(const QPoint& position)
{
    showWindowMenu(this, mapToGlobal(position), {[this] { CopyResults_Click(); }, [this] { ExportPoints_Click(); }});
}

void Form1::CopyResults_Click()
{
    if (refuseHalfComputedRecords())
        return;
    // before any compute the records hold zeros, which copy as they print,
    // and the check line is empty
    putOnClipboard(copiedValues(entered_.value_or(Observations{}), result_,
                                checkLineText(lastEnd_, terms_, result_.w, accuracy_).text));
}

void Form1::ExportPoints_Click()
{
    if (refuseHalfComputedRecords())
        return;
    pointExport_.run(*saveDialog_, *messages_, observations_, result_);
}

} // namespace korvane
