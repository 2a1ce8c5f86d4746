#include "batch_run.h"

#include "checked_networks.h"
#include "figure_files.h"
#include "pdf_text.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace korvane::batch {
namespace {

using testing::resultRows;
using testing::valuesText;
using testing::writeFile;

const QString header = testing::observationHeader;

struct BatchRun {
    int status;
    std::string err;
};

BatchRun runOn(QTemporaryDir& folder, const QString& figures, Options options)
{
    writeFile(folder.filePath("figures.csv"), figures.toUtf8());
    if (options.figures.empty())
        options.figures = folder.filePath("figures.csv").toStdString();
    if (options.results.empty())
        options.results = folder.filePath("results.csv").toStdString();
    std::ostringstream err;
    const int status = runBatch(options, err, false);
    return {status, err.str()};
}

// The misclosure of each figure against values computed independently of
// the program, at its own accuracy: the status, w and the limit of its row,
// and the exit status.
TEST(Batch, JudgesEachCheckedNetworkAsComputedIndependently)
{
    for (const testing::CheckedNetwork& network : testing::checkedNetworks()) {
        SCOPED_TRACE(network.name);
        QTemporaryDir folder;
        Options options;
        options.accuracy = network.accuracy;
        const BatchRun run = runOn(folder, header + QString::fromUtf8(network.name) + valuesText(network.measured) + u'\n',
                              options);
        EXPECT_EQ(run.status, network.withinLimit ? allPassed : someFailed);
        const std::vector<QStringList> rows = resultRows(folder.filePath("results.csv"));
        ASSERT_EQ(rows.size(), 1u);
        ASSERT_EQ(rows[0].size(), 25);
        EXPECT_EQ(rows[0][0], QString::fromUtf8(network.name));
        EXPECT_EQ(rows[0][1], "2");
        EXPECT_EQ(rows[0][2], network.withinLimit ? "合格" : "超限");
        EXPECT_EQ(rows[0][4], network.wText);
        EXPECT_EQ(rows[0][5], network.limitText);
    }
}

TEST(Batch, ExitStatusSaysWhetherEveryFigurePassed)
{
    const testing::CheckedNetwork& good = testing::checkedNetworks()[0];
    const testing::CheckedNetwork& beyond = testing::checkedNetworks()[1];
    const QString goodLine = QStringLiteral("一号锁") + valuesText(good.measured) + u'\n';
    const struct {
        const char* name;
        QString figures;
        std::function<void(QTemporaryDir&, Options&)> prepare;
        int status;
        const char* lastLine; // of standard error
        bool resultsWritten;
    } cases[] = {
        {"every figure passes", header + goodLine + goodLine, {}, allPassed, "共 2 个图形：合格 2，超限 0，错误 0", true},
        {"a header and no figure", header, {}, allPassed, "共 0 个图形：合格 0，超限 0，错误 0", true},
        {"one figure beyond its limit", header + goodLine + "二号锁" + valuesText(beyond.measured) + "\n", {},
         someFailed, "共 2 个图形：合格 1，超限 1，错误 0", true},
        {"one line that is not a figure", header + goodLine + "坏,1,2,3\n", {}, someFailed,
         "共 2 个图形：合格 1，超限 0，错误 1", true},
        {"one figure that cannot be computed", header + "三角,3000,2000,3300,2950,594.0588,626.4107,650.0073,761.5807,1400\n",
         {}, someFailed, "共 1 个图形：合格 0，超限 0，错误 1", true},
        {"no such file", header, [](QTemporaryDir& folder, Options& o) { o.figures = folder.filePath("none.csv").toStdString(); },
         couldNotRun, "不能读取：文件不存在。", false},
        {"no header", goodLine, {}, couldNotRun, "的表头应为", false},
        {"a results folder that is gone", header + goodLine,
         [](QTemporaryDir& folder, Options& o) { o.results = folder.filePath("gone/results.csv").toStdString(); },
         couldNotRun, "这个文件夹不存在。", false},
        {"a PDF folder that is gone", header + goodLine,
         [](QTemporaryDir& folder, Options& o) { o.reports = folder.filePath("gone/reports.pdf").toStdString(); },
         couldNotRun, "这个文件夹不存在。", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        Options options;
        if (c.prepare)
            c.prepare(folder, options);
        const BatchRun run = runOn(folder, c.figures, options);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.lastLine), std::string::npos) << run.err;
        // nothing half-written: the results whole, or no file at all
        QStringList expected{"figures.csv"};
        if (c.resultsWritten)
            expected << "results.csv";
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), expected);
    }
}

struct ProgramRun {
    int status;
    QString out;
    QString err;
};

// the real program, as over ssh: no display, no platform named
ProgramRun korvane(const QStringList& arguments, const QString& folder = QDir::tempPath())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(KORVANE_PROGRAM, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(BatchProgram, ComputesAFileWithReportsWithoutADisplay)
{
    QTemporaryDir folder;
    const testing::CheckedNetwork& good = testing::checkedNetworks()[0];
    writeFile(folder.filePath("测区.csv"),
              (header + "一号锁" + valuesText(good.measured) + "\n坏,1,2\n二号锁" + valuesText(good.measured) + "\n").toUtf8());
    const ProgramRun run = korvane({"--batch", "测区.csv", "--pdf", "报告.pdf", "--accuracy", "2,2"}, folder.path());
    EXPECT_EQ(run.status, someFailed) << run.err.toStdString();
    EXPECT_EQ(run.err, "第 3 行第 4 列（Xc）没有数值\n共 3 个图形：合格 2，超限 0，错误 1\n");
    EXPECT_EQ(resultRows(folder.filePath("测区-结果.csv")).size(), 3u);

    // one report per computed figure, each on pages of its own, and between
    // them the page of the row that failed
    const QString reports = folder.filePath("报告.pdf");
    EXPECT_EQ(testing::pdfPageCount(reports), 3);
    EXPECT_EQ(testing::pdfText(reports).count("--- Korvane ---"), 2);
    EXPECT_TRUE(testing::pdfText(reports, 2).contains("第 3 行第 4 列（Xc）没有数值"));

    // with --check-page each report is followed by the page of its figure,
    // judged at the batch's accuracy
    const ProgramRun checked =
        korvane({"--batch", "测区.csv", "--pdf", "报告.pdf", "--check-page", "--accuracy", "5,5"}, folder.path());
    EXPECT_EQ(checked.status, someFailed) << checked.err.toStdString();
    QStringList pages;
    for (int page = 1; page <= 5; ++page)
        pages << testing::pdfText(reports, page);
    for (int figure : {0, 3}) {
        EXPECT_TRUE(pages[figure].contains("--- Korvane ---"));
        EXPECT_FALSE(pages[figure].contains("网图与检核"));
        EXPECT_TRUE(pages[figure + 1].contains("网图与检核"));
        EXPECT_TRUE(pages[figure + 1].contains("测距精度 5 mm + 5 ppm")) << pages[figure + 1].toStdString();
        EXPECT_TRUE(pages[figure + 1].contains("B 在 A→C 的左侧"));
    }
}

TEST(BatchProgram, CommandLineAsCommandLineProgramsHaveIt)
{
    const struct {
        const char* name;
        QStringList arguments;
        int status;
        const char* out; // the start of standard output
        const char* err; // in standard error
    } cases[] = {
        {"help in Chinese", {"--help"}, 0, "用法：korvane [选项]", ""},
        {"the version", {"--version"}, 0, "korvane 1.0.0\n", ""},
        {"an option of another program", {"--batch", "x.csv", "--fast"}, couldNotRun, "", "不认识的选项：fast"},
        {"an output without a batch", {"--output", "r.csv"}, couldNotRun, "", "只能与 --batch 一起使用"},
        {"the page of the figure without reports", {"--batch", "x.csv", "--check-page"}, couldNotRun, "",
         "--check-page 只能与 --pdf 一起使用"},
        {"an accuracy that is no accuracy", {"--batch", "x.csv", "--accuracy", "2"}, couldNotRun, "", "--accuracy 应为两个数"},
        {"an accuracy out of range", {"--batch", "x.csv", "--accuracy", "0,0"}, couldNotRun, "", "不能用"},
        {"a file that is not there", {"--batch", "korvane-no-such-file.csv"}, couldNotRun, "", "不能读取：文件不存在"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = korvane(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.left(QString::fromUtf8(c.out).size()), QString::fromUtf8(c.out)) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.err))) << run.err.toStdString();
    }
}

} // namespace
} // namespace korvane::batch
