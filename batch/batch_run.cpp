#include "batch_run.h"

#include "same_file.h"
#include "vector_state.h"

#include "adjustment_words.h"
#include "batch_words.h"
#include "check_words.h"
#include "figure_page.h"
#include "figure_sheet.h"
#include "figure_title.h"
#include "file_words.h"
#include "number_text.h"
#include "observation_file.h"
#include "observation_words.h"
#include "print_error.h"
#include "project_points.h"
#include "qt_printer.h"
#include "report.h"
#include "report_book.h"
#include "report_words.h"
#include "results_table.h"
#include "whole_file.h"

#include <QFile>
#include <QPaintDevice>
#include <QPainter>

#include <chrono>
#include <filesystem>
#include <optional>

namespace korvane::batch {

namespace {

// what the results file gathers before it writes: one write per block
constexpr std::size_t resultsBlock = 1 << 16;

const std::string resultsNotWritten = "结果没有写入文件";
const std::string pointsNotWritten = "坐标没有写入文件";

// A bar on the terminal once the run has taken a second, redrawn at most ten
// times a second, wiped before any other line is written.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

    void update(double fraction, long figures)
    {
        if (!enabled_ || ++calls_ % 1024 != 0)
            return;
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - drawn_ < std::chrono::milliseconds(100))
            return;
        drawn_ = now;
        constexpr int width = 30;
        const int filled = static_cast<int>(fraction * width);
        err_ << "\r计算中 [" << std::string(filled, '#') << std::string(width - filled, '-') << "] "
             << static_cast<int>(fraction * 100) << "%  " << figures << " 个图形" << std::flush;
        shown_ = true;
    }

    void wipe()
    {
        if (shown_)
            err_ << "\r\033[K" << std::flush;
        shown_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err_;
    bool enabled_;
    long calls_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point drawn_{};
    bool shown_ = false;
};

// The lines of bad rows on standard error, gathered: a stream to a terminal
// would write each piece on its own. With a progress bar each goes at once,
// the bar wiped first.
class RowLines {
public:
    RowLines(std::ostream& err, ProgressBar& progress, bool atOnce) : err_(err), progress_(progress), atOnce_(atOnce)
    {
    }

    void tell(const std::string& line)
    {
        told_ += line;
        told_ += '\n';
        if (told_.size() >= resultsBlock || atOnce_)
            flush();
    }

    void flush()
    {
        progress_.wipe();
        err_ << told_ << std::flush;
        told_.clear();
    }

private:
    std::ostream& err_;
    ProgressBar& progress_;
    bool atOnce_;
    std::string told_;
};

// One run of the batch: the input open, both outputs made, then one figure
// after another read, computed and written.
class Run {
public:
    Run(const Options& options, std::ostream& err, bool progressBar)
        : options_(options), err_(err), progress_(err, progressBar), rows_(err, progress_, progressBar),
          pages_(reportPages(options))
    {
    }

    // Opens the observation file and makes both outputs before the first
    // figure is computed, so that a folder that cannot take them fails at
    // once. False, the fault said, when the run cannot be made.
    bool open()
    {
        try {
            reader_.emplace(options_.figures);
        } catch (const files::ObservationFileError& error) {
            err_ << observationFaultLine(options_.figures, error.fault()) << '\n';
            return false;
        }
        try {
            results_.emplace(options_.results);
        } catch (const FileError& error) {
            err_ << fileFailureMessage(resultsNotWritten, error) << '\n';
            return false;
        }
        try {
            if (!options_.reports.empty())
                reports_.emplace(QFile::decodeName(QByteArray::fromStdString(options_.reports)));
        } catch (const FileError& error) {
            err_ << pdfFailureMessage(error) << '\n';
            return false;
        }
        try {
            if (!options_.points.empty()) {
                pointsFile_.emplace(options_.points);
                project_.emplace(files::pointsFormatOf(options_.points));
                pointsBlock_ = files::pointsHeader(project_->format());
            }
        } catch (const FileError& error) {
            err_ << fileFailureMessage(pointsNotWritten, error) << '\n';
            return false;
        }
        return true;
    }

    // Every figure of the file, then both outputs under their names. False,
    // the fault said, when the file or an output failed on the way.
    bool computeAll()
    {
        try {
            while (std::optional<files::FigureLine> line = reader_->next()) {
                if (const auto* fault = std::get_if<files::FileFault>(&*line))
                    takeFault(*fault);
                else
                    takeFigure(std::get<files::Figure>(*line));
                if (block_.size() >= resultsBlock) {
                    results_->write(block_);
                    block_.clear();
                }
                if (pointsBlock_.size() >= resultsBlock) {
                    pointsFile_->write(pointsBlock_);
                    pointsBlock_.clear();
                }
                progress_.update(reader_->progress(), counts_.all());
            }
            finish();
        } catch (const files::ObservationFileError& error) {
            rows_.flush();
            err_ << observationFaultLine(options_.figures, error.fault()) << '\n';
            return false;
        } catch (const FileError& error) {
            rows_.flush();
            if (reports_ && error.path() == options_.reports)
                err_ << pdfFailureMessage(error) << '\n';
            else
                err_ << fileFailureMessage(project_ && error.path() == options_.points ? pointsNotWritten
                                                                                         : resultsNotWritten,
                                           error)
                     << '\n';
            return false;
        } catch (const PrintError&) {
            rows_.flush();
            err_ << pdfFailureMessage(FileError(FileError::Reason::WriteFailed, options_.reports, 0)) << '\n';
            return false;
        }
        return true;
    }

    const BatchCounts& counts() const { return counts_; }

private:
    // a line of the file that is no figure
    void takeFault(const files::FileFault& fault)
    {
        const std::string text = observationFaultText(fault);
        files::appendFaultRow(block_, fault.name, fault.line, text);
        ++counts_.failed;
        rows_.tell(text);
        faultPage({fault.name, fault.line, letterNames}, text);
    }

    // A row that failed: its status in RESULTS.csv and on standard error,
    // and its page, which says the same.
    void takeFailure(const files::Figure& figure, const std::string& status)
    {
        files::appendFaultRow(block_, figure.name, figure.line, status, &figure.points);
        ++counts_.failed;
        rows_.tell(rowLine(figure.line, figure.name, status));
        faultPage(figure.identity(), status);
    }

    // the page of a row without a report, headed by its name and line, so
    // that the pages of the PDF follow the rows one for one
    void faultPage(const FigureIdentity& figure, const std::string& status)
    {
        if (!reports_)
            return;
        QtPrinter& printer = reports_->nextPage(runningHeader(figure, std::chrono::system_clock::now()));
        const QPaintDevice& page = *printer.painter().device();
        paintNoticePage(printer.painter(), QRectF(0, 0, page.width(), page.height()), figureTitle(figure), status);
    }

    void takeFigure(const files::Figure& figure)
    {
        // the Qt of the command line, or of the last figure's report, may
        // have left the vector registers in a state that slows every step
        // of the compute
        clearUpperVectorHalves();
        FigureCompute compute;
        compute.setAccuracy(options_.accuracy);
        compute.setIdentity(figure.identity());
        MisclosureCheck check;
        try {
            compute.computeWhole(figure.values);
            check = compute.misclosureCheck();
        } catch (const AdjustmentError& error) {
            takeFailure(figure, faultMessage(error));
            return;
        }
        // only a figure that passes gives its points; one whose names clash
        // with an earlier figure's gives none and counts as an error
        if (project_ && check.withinLimit) {
            if (const std::optional<files::PointClash> clash = project_->take(
                    figure.line, compute.observations(), compute.result(), figure.points, pointsBlock_)) {
                takeFailure(figure, pointClashText(clash->name, clash->firstLine, figure.line));
                return;
            }
        }
        files::appendResultRow(block_, figure.name, figure.line, verdictText(check), fixedText(check.limit, 2, 2),
                               compute.result(), figure.points);
        if (check.withinLimit) {
            ++counts_.passed;
        } else {
            ++counts_.exceeded;
            rows_.tell(rowLine(figure.line, figure.name, exceededText(check)));
        }
        if (reports_) {
            const std::optional<RunningHeader> header = runningHeader(compute);
            for (const FigurePage& page : pages_)
                page(reports_->nextPage(header), compute);
        }
    }

    void finish()
    {
        results_->write(block_);
        rows_.flush();
        // the document first: its copy can fail on the way, the others'
        // naming hardly
        if (reports_) {
            if (reports_->empty())
                err_ << noReportsLine() << '\n';
            else
                reports_->finish();
        }
        if (pointsFile_) {
            pointsFile_->write(pointsBlock_);
            pointsFile_->commit();
        }
        results_->commit();
    }

    const Options& options_;
    std::ostream& err_;
    ProgressBar progress_;
    RowLines rows_;
    const std::vector<FigurePage> pages_;
    std::optional<files::ObservationReader> reader_;
    std::optional<WholeFileWriter> results_;
    std::optional<ReportBook> reports_;
    std::optional<WholeFileWriter> pointsFile_;
    std::optional<files::ProjectPoints> project_;
    std::string pointsBlock_;
    std::string block_ = files::resultsHeader();
    BatchCounts counts_;
};

} // namespace

std::string defaultResultsPath(const std::string& figures)
{
    const std::filesystem::path path(figures);
    return (path.parent_path() / (path.stem().string() + "-结果.csv")).string();
}

std::vector<FigurePage> reportPages(const Options& options)
{
    std::vector<FigurePage> pages{
        [](QtPrinter& printer, const FigureCompute& figure) {
            printReportLines(printer, figure.observations(), figure.result());
        },
    };
    // the figure's compute carries the batch's accuracy
    if (options.checkPage)
        pages.push_back([](QtPrinter& printer, const FigureCompute& figure) {
            const QPaintDevice& page = *printer.painter().device();
            paintFigurePage(printer.painter(), QRectF(0, 0, page.width(), page.height()), figureOf(figure));
        });
    return pages;
}

std::optional<std::string> overwriteRefusal(const Options& options)
{
    struct Named {
        const std::string& path;
        BatchFile what;
    };
    const Named input{options.figures, BatchFile::Observations};
    const Named outputs[] = {
        {options.results, BatchFile::Results},
        {options.reports, BatchFile::Reports},
        {options.points, BatchFile::Points},
    };
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const Named& output = outputs[i];
        if (output.path.empty())
            continue;
        if (sameFile(output.path, input.path))
            return sameFileLine(output.what, output.path, input.what, input.path);
        for (std::size_t j = 0; j < i; ++j)
            if (!outputs[j].path.empty() && sameFile(output.path, outputs[j].path))
                return sameFileLine(output.what, output.path, outputs[j].what, outputs[j].path);
    }
    return std::nullopt;
}

int runBatch(const Options& options, std::ostream& err, bool progressBar)
{
    // before any file is made: an output that is the input would replace
    // the surveyor's observations
    if (const std::optional<std::string> refusal = overwriteRefusal(options)) {
        err << *refusal << '\n';
        return couldNotRun;
    }
    Run run(options, err, progressBar);
    if (!run.open() || !run.computeAll())
        return couldNotRun;
    err << summaryLine(run.counts()) << '\n';
    return run.counts().exceeded + run.counts().failed == 0 ? allPassed : someFailed;
}

} // namespace korvane::batch
