#include "batch_run.h"

#include "fault_message.h"
#include "file_messages.h"

#include "check_text.h"
#include "figure_page.h"
#include "figure_sheet.h"
#include "number_text.h"
#include "observation_file.h"
#include "print_error.h"
#include "qt_printer.h"
#include "report.h"
#include "report_book.h"
#include "results_table.h"
#include "whole_file.h"

#include <QDir>
#include <QPaintDevice>
#include <QPainter>
#include <QFile>
#include <QString>

#include <chrono>
#include <filesystem>
#include <optional>

namespace korvane::batch {

namespace {

// what the results file gathers before it writes: one write per block
constexpr std::size_t resultsBlock = 1 << 16;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString shownPath(const std::string& path)
{
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

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

struct Counts {
    long passed = 0;
    long exceeded = 0;
    long failed = 0;
    long all() const { return passed + exceeded + failed; }
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
        [](QtPrinter& printer, const FigureRun& figure) {
            printReportLines(printer, figure.observations, figure.result);
        },
    };
    if (options.checkPage)
        pages.push_back([accuracy = options.accuracy](QtPrinter& printer, const FigureRun& figure) {
            FigureOrNotice sheet;
            try {
                sheet = figureSheet(figure.observations, figure.result, figure.terms, accuracy);
            } catch (const AdjustmentError& error) {
                sheet = faultMessage(error).toStdString();
            }
            const QPaintDevice& page = *printer.painter().device();
            paintFigurePage(printer.painter(), QRectF(0, 0, page.width(), page.height()), sheet);
        });
    return pages;
}

int runBatch(const Options& options, std::ostream& err, bool progressBar)
{
    std::optional<files::ObservationReader> reader;
    try {
        reader.emplace(options.figures);
    } catch (const files::ObservationFileError& error) {
        err << utf8(QStringLiteral("观测文件“%1”%2。").arg(shownPath(options.figures),
                                                              observationFaultText(error.fault())))
            << '\n';
        return couldNotRun;
    }

    // both outputs are made before the first figure is computed, so a folder
    // that cannot take them fails at once
    std::optional<WholeFileWriter> results;
    std::optional<ReportBook> reports;
    const std::vector<FigurePage> pages = reportPages(options);
    try {
        results.emplace(options.results);
    } catch (const FileError& error) {
        err << utf8(fileFailureMessage(QStringLiteral("结果没有写入文件"), error)) << '\n';
        return couldNotRun;
    }
    try {
        if (!options.reports.empty())
            reports.emplace(QFile::decodeName(QByteArray::fromStdString(options.reports)));
    } catch (const FileError& error) {
        err << utf8(pdfFailureMessage(error)) << '\n';
        return couldNotRun;
    }

    ProgressBar progress(err, progressBar);
    Counts counts;
    std::string block = files::resultsHeader();
    // the lines of bad rows, gathered: a stream to a terminal would write
    // each piece on its own
    std::string told;
    const auto tell = [&](const std::string& line) {
        told += line;
        told += '\n';
        if (told.size() >= resultsBlock || progressBar) {
            progress.wipe();
            err << told << std::flush;
            told.clear();
        }
    };
    const auto tellRow = [&](long line, const std::string& name, const std::string& what) {
        tell("第 " + std::to_string(line) + " 行" + (name.empty() ? "" : " " + name) + "：" + what);
    };

    try {
        while (std::optional<files::FigureLine> line = reader->next()) {
            if (const auto* fault = std::get_if<files::FileFault>(&*line)) {
                const std::string text = utf8(observationFaultText(*fault));
                files::appendFaultRow(block, fault->name, fault->line, text);
                ++counts.failed;
                tell(text);
            } else {
                const files::Figure& figure = std::get<files::Figure>(*line);
                const FigureRun run = runFigure(figure.values, options.accuracy);
                if (run.fault) {
                    const std::string message = utf8(faultMessage(*run.fault));
                    files::appendFaultRow(block, figure.name, figure.line, message);
                    ++counts.failed;
                    tellRow(figure.line, figure.name, message);
                } else {
                    files::appendResultRow(block, figure.name, figure.line, verdictText(run.check),
                                           fixedText(run.check.limit, 2, 2), run.result);
                    if (run.check.withinLimit) {
                        ++counts.passed;
                    } else {
                        ++counts.exceeded;
                        tellRow(figure.line, figure.name,
                                "超限，w = " + fixedText(run.check.w, 2, 2) + "秒，限差 ±"
                                    + fixedText(run.check.limit, 2, 2) + "秒");
                    }
                    if (reports)
                        for (const FigurePage& page : pages)
                            page(reports->nextPage(), run);
                }
            }
            if (block.size() >= resultsBlock) {
                results->write(block);
                block.clear();
            }
            progress.update(reader->progress(), counts.all());
        }
        results->write(block);
        progress.wipe();
        err << told;
        // the document first: its copy can fail on the way, the results'
        // naming hardly
        if (reports) {
            if (reports->empty())
                err << "没有计算完成的图形，没有写入 PDF 文件。\n";
            else
                reports->finish();
        }
        results->commit();
    } catch (const files::ObservationFileError& error) {
        progress.wipe();
        err << told << utf8(QStringLiteral("观测文件“%1”%2。").arg(shownPath(options.figures),
                                                              observationFaultText(error.fault())))
            << '\n';
        return couldNotRun;
    } catch (const FileError& error) {
        progress.wipe();
        const bool pdf = reports && error.path() == options.reports;
        err << utf8(pdf ? pdfFailureMessage(error) : fileFailureMessage(QStringLiteral("结果没有写入文件"), error))
            << '\n';
        return couldNotRun;
    } catch (const PrintError&) {
        progress.wipe();
        err << utf8(pdfFailureMessage(FileError(FileError::Reason::WriteFailed, options.reports, 0))) << '\n';
        return couldNotRun;
    }

    err << "共 " << counts.all() << " 个图形：合格 " << counts.passed << "，超限 " << counts.exceeded << "，错误 "
        << counts.failed << '\n';
    return counts.exceeded + counts.failed == 0 ? allPassed : someFailed;
}

} // namespace korvane::batch
