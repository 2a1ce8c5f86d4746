#include "form1.h"

#include "caption_label.h"
#include "check_line.h"
#include "command_button.h"
#include "figure_window.h"
#include "font_mapping.h"
#include "guide_window.h"
#include "guided_entry.h"
#include "instrument_settings.h"
#include "layout_qt.h"
#include "line_control.h"
#include "message_sink.h"
#include "observation_commands.h"
#include "qt_text.h"
#include "result_commands.h"
#include "result_copy.h"
#include "results_display.h"
#include "settings.h"

#include "adjustment_words.h"
#include "figure_sheet.h"
#include "figure_title.h"
#include "guide_words.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>
#include <string_view>
#include <utility>

namespace korvane {

namespace {

using layout::paintBackground;
using layout::pixelRect;
using layout::pixels;
using layout::qtFont;

bool isHiddenLabel(const layout::Control& control)
{
    return control.name == std::string_view(layout::hiddenLabel);
}

} // namespace

Form1::Form1(WindowParts parts, QWidget* parent)
    : QWidget(parent),
      real_(parts, this),
      parts_(std::move(parts)),
      beep_(QApplication::beep)
{
    mapLayoutFonts();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Korvane"));
    setFont(qtFont(layout::windowFont));
    paintBackground(this, layout::formBackground);
    buildControls();
    createFamilies();
    createActions();
    connectFamilies();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    std::vector<PlacedControl> placed;
    for (const layout::Control& control : layout::controls()) {
        QWidget* widget = addControl(control);
        widget->setObjectName(QString::fromUtf8(control.name));
        placed.push_back({&control, widget});
    }
    stackControls(placed);
    orderTabStops(placed);
    // in the empty band under the title, outside the layout's table
    checkLine_ = new CheckLine(this);
    checkLine_->setFont(qtFont(layout::song9Bold));
    sizeToControls(placed);
}

QWidget* Form1::addControl(const layout::Control& control)
{
    switch (control.kind) {
    case layout::Kind::Label:
        return addLabel(control);
    case layout::Kind::Field:
        return addField(control);
    case layout::Kind::Button:
        return addButton(control);
    case layout::Kind::Line:
        break;
    }
    return addLine(control);
}

QWidget* Form1::addLabel(const layout::Control& control)
{
    auto* label = new CaptionLabel(QString::fromUtf8(control.caption), qtFont(control.font), this);
    // The hidden label is never drawn; measuring its Chinese caption in its
    // Latin face would load a whole fallback CJK face for it.
    if (isHiddenLabel(control))
        label->setGeometry(pixelRect(control));
    else
        label->placeIn(pixelRect(control));
    paintBackground(label, control.colour);
    return label;
}

QWidget* Form1::addField(const layout::Control& control)
{
    auto* field = new QLineEdit(this);
    field->setFont(qtFont(control.font));
    field->setGeometry(pixelRect(control));
    const layout::Control* caption = layout::find(control.captionLabel);
    field->setAccessibleName(QString::fromUtf8(control.pointPrefix) + QString::fromUtf8(caption->caption).trimmed());
    fields_.add(QByteArray(control.name), field);
    return field;
}

QWidget* Form1::addButton(const layout::Control& control)
{
    auto* button = new CommandButton(QString::fromUtf8(control.caption), QColor(control.colour), this);
    button->setFont(qtFont(control.font));
    button->setGeometry(pixelRect(control));
    const std::pair<const char*, CommandButton* Form1::*> named[] = {
        {"Command1", &Form1::Command1}, {"Command2", &Form1::Command2}, {"Command3", &Form1::Command3}};
    for (const auto& [name, member] : named)
        if (control.name == std::string_view(name))
            this->*member = button;
    return button;
}

QWidget* Form1::addLine(const layout::Control& control)
{
    const QLine line(pixels(control.a), pixels(control.b), pixels(control.c), pixels(control.d));
    const QColor colour = control.colour == layout::defaultLineColour ? QColor() : QColor(control.colour);
    return new LineControl(line, colour, control.lineWidth, this);
}

// Lines lie under the labels (a caption on a line stays readable), and
// fields and buttons over everything, as the layout draws them.
void Form1::stackControls(const std::vector<PlacedControl>& placed)
{
    for (const PlacedControl& p : placed)
        if (p.control->kind == layout::Kind::Line)
            p.widget->lower();
    for (const PlacedControl& p : placed)
        if (p.control->kind == layout::Kind::Field || p.control->kind == layout::Kind::Button)
            p.widget->raise();
}

// Tab runs through the fields and buttons in the layout's order, from the
// first of them, which has the focus at start-up.
void Form1::orderTabStops(const std::vector<PlacedControl>& placed)
{
    std::vector<PlacedControl> stops;
    for (const PlacedControl& p : placed)
        if (p.control->kind == layout::Kind::Field || p.control->kind == layout::Kind::Button)
            stops.push_back(p);
    std::stable_sort(stops.begin(), stops.end(), [](const PlacedControl& a, const PlacedControl& b) {
        return a.control->tabIndex < b.control->tabIndex;
    });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
    stops.front().widget->setFocus();
}

// The layout reaches far beyond its design client area: the window opens
// wide enough for all of it, and never smaller (a smaller screen scrolls the
// form).
void Form1::sizeToControls(const std::vector<PlacedControl>& placed)
{
    int right = 0;
    int bottom = 0;
    for (const PlacedControl& p : placed) {
        if (p.control->kind == layout::Kind::Line || isHiddenLabel(*p.control))
            continue;
        right = std::max(right, p.widget->geometry().right() + 1);
        bottom = std::max(bottom, p.widget->geometry().bottom() + 1);
    }
    const int margin = pixels(layout::marginTwips);
    setMinimumSize(right + margin, bottom + margin);
    resize(minimumSize());
}

void Form1::createFamilies()
{
    report_ = new ReportCommands(compute_, *parts_.settings, *parts_.saveFiles, *parts_.messages, this,
                                 parts_.print, parts_.preview);
    observationFiles_ = new ObservationCommands(compute_, *parts_.openFiles, *parts_.chooser, *parts_.saveFiles,
                                                *parts_.input, *parts_.messages, this);
    results_ = new ResultCommands(compute_, *parts_.saveFiles, *parts_.messages, this);
    instrument_ = new InstrumentSettings(compute_, *parts_.settings, *parts_.accuracy, *parts_.reduction,
                                         *parts_.messages, this);
}

template <typename Family, typename Slot>
QAction* Form1::command(const QString& caption, const QKeySequence& key, Family* family, Slot slot)
{
    auto* action = new QAction(caption, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, family, slot);
    return action;
}

// Every command of the window, each once: its caption and key, the menu it
// stands on (a right click, or the Menu key, on its button or on the
// window), and the slot it runs. A key works wherever the focus is in the
// window.
void Form1::createActions()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    Command1->setToolTip(QStringLiteral("左键平差计算；右键可设置测距精度和边长归算、打开网图与检核、打开或保存观测文件"));
    Command1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Command1->addAction(command(QStringLiteral("测距精度…"), {}, instrument_, &InstrumentSettings::askAccuracy));
    Command1->addAction(command(QStringLiteral("边长归算…"), {}, instrument_, &InstrumentSettings::askReduction));
    Command1->addAction(
        command(QStringLiteral("网图与检核…"), QKeySequence(Qt::Key_F3), this, &Form1::FigureWindow_Open));
    Command1->addAction(
        command(QStringLiteral("打开观测文件…"), QKeySequence::Open, observationFiles_, &ObservationCommands::open));
    Command1->addAction(
        command(QStringLiteral("保存观测文件…"), QKeySequence::Save, observationFiles_, &ObservationCommands::save));

    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    Command3->setToolTip(QStringLiteral("左键打印；右键可打印预览或保存为 PDF"));
    Command3->setContextMenuPolicy(Qt::ActionsContextMenu);
    Command3->addAction(command(QStringLiteral("打印预览…"), {}, report_, &ReportCommands::preview));
    Command3->addAction(command(saveAsPdfCaption(), {}, report_, &ReportCommands::saveAsPdf));
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    Command3->addAction(separator);
    auto* figurePage = new QAction(QStringLiteral("报告附网图与检核页"), this);
    figurePage->setCheckable(true);
    figurePage->setChecked(report_->figurePageWanted());
    connect(figurePage, &QAction::toggled, report_, &ReportCommands::setFigurePageWanted);
    Command3->addAction(figurePage);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(command(QStringLiteral("复制全部结果"), QKeySequence::Copy, results_, &ResultCommands::copyAll));
    addAction(command(QStringLiteral("导出坐标…"), {}, results_, &ResultCommands::exportPoints));
    auto* beforeGuide = new QAction(this);
    beforeGuide->setSeparator(true);
    addAction(beforeGuide);
    addAction(command(QStringLiteral("使用说明"), QKeySequence(Qt::Key_F1), this, &Form1::Guide_Open));
    letFieldsPassTheCopyKey(this);
}

void Form1::connectFamilies()
{
    connect(report_, &ReportCommands::reportSent, checkLine_, &CheckLine::announce);
    connect(observationFiles_, &ObservationCommands::figureOpened, this, &Form1::computeFigure);
    // the last compute judged again against the instrument now named
    connect(instrument_, &InstrumentSettings::changed, this, &Form1::showCheck);
    // the sides enter the adjustment otherwise: the last figure computed again
    connect(instrument_, &InstrumentSettings::reductionChanged, this, &Form1::computeAgain);
}

void Form1::Command1_Click()
{
    fields_.computeStarted();
    EntryOutcome outcome = EntryOutcome::CancelledUntouched;
    try {
        GuidedEntry entry(*parts_.input, fields_, *parts_.settings, beep_);
        outcome = entry.run(compute_);
    } catch (const AdjustmentError& error) {
        // a side beyond single precision: the values shown so far stay
        compute_.setIdentity({});
        compute_.stopEntry();
        computeStopped();
        parts_.messages->tell(qtText(faultMessage(error)));
        return;
    }
    // a typed value makes the figure a typed one; Cancel at once leaves the
    // last one shown as it was
    if (outcome != EntryOutcome::CancelledUntouched)
        compute_.setIdentity({});
    switch (outcome) {
    case EntryOutcome::CancelledUntouched:
        return;
    case EntryOutcome::Cancelled:
        compute_.stopEntry();
        computeStopped();
        return;
    case EntryOutcome::Completed:
        adjustEntered();
        return;
    }
}

void Form1::computeFigure(const Observations& values, const FigureIdentity& figure,
                          std::optional<double> meanHeight)
{
    compute_.setIdentity(figure);
    fields_.computeStarted();
    try {
        enterFigure(values, compute_, fields_, *parts_.settings);
    } catch (const AdjustmentError& error) {
        compute_.stopEntry();
        computeStopped();
        parts_.messages->tell(qtText(faultMessage(error)));
        return;
    }
    adjustEntered(meanHeight);
}

void Form1::computeAgain()
{
    if (const std::optional<Observations> entered = compute_.entered())
        computeFigure(*entered, compute_.identity(), compute_.enteredMeanHeight());
}

void Form1::adjustEntered(std::optional<double> meanHeight)
{
    try {
        compute_.adjustEntered([this](Milestone milestone) { showResults(milestone, compute_.result(), fields_); },
                               meanHeight);
    } catch (const AdjustmentError& error) {
        // what was stored and shown before the fault stays; the operator
        // corrects the data and computes again
        computeStopped();
        parts_.messages->tell(qtText(faultMessage(error)));
        return;
    }
    showCheck();
}

void Form1::computeStopped()
{
    fields_.computeStopped();
    showCheck();
}

void Form1::showCheck()
{
    checkLine_->judge(compute_);
    // the top-level window: the frame the form scrolls in, or the form itself
    window()->setWindowTitle(qtText(korvane::windowTitle(compute_)));
    if (figureWindow_)
        figureWindow_->showFigure(figureOf(compute_));
}

// The result fields and the check line where the surveyor sees them, the
// parts scrolled out of the window left out.
std::vector<QRect> Form1::resultsOnScreen() const
{
    const QWidget* shown = window();
    const QRect visible(shown->mapToGlobal(QPoint(0, 0)), shown->size());
    const auto onScreen = [&](const QWidget* widget) {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()).intersected(visible);
    };
    std::vector<QRect> results{onScreen(checkLine_)};
    for (const display::Row& row : display::rows())
        results.push_back(onScreen(findChild<QWidget*>(QString::fromLatin1(row.field))));
    return results;
}

void Form1::FigureWindow_Open()
{
    if (!figureWindow_) {
        figureWindow_ = new FigureWindow(this);
        figureWindow_->showFigure(figureOf(compute_));
        figureWindow_->placeBeside(*window(), resultsOnScreen());
    }
    figureWindow_->show();
    figureWindow_->raise();
    figureWindow_->activateWindow();
}

void Form1::Guide_Open()
{
    if (!guideWindow_) {
        const QFileInfo guide(parts_.guide);
        if (!guide.isFile() || !guide.isReadable()) {
            parts_.messages->tell(qtText(guideMissingMessage(parts_.guide.toStdString())));
            return;
        }
        guideWindow_ = new GuideWindow(parts_.guide, this);
    }
    guideWindow_->show();
    guideWindow_->raise();
    guideWindow_->activateWindow();
}

void Form1::Command2_Click()
{
    window()->close();
    QCoreApplication::exit(0);
}

void Form1::Command3_Click()
{
    report_->print();
}

} // namespace korvane
