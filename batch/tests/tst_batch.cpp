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

using testing::readFile;
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
        {"a points folder that is gone", header + goodLine,
         [](QTemporaryDir& folder, Options& o) { o.points = folder.filePath("gone/points.dat").toStdString(); },
         couldNotRun, "坐标没有写入文件", false},
        {"a name with an escape sequence, beyond its limit",
         header + "\x1b[2J\x1b[31m二号锁" + valuesText(beyond.measured) + "\n", {}, someFailed,
         "第 2 行 \\x1b[2J\\x1b[31m二号锁：超限", true},
        {"a value of 60 000 digits", header + "长," + QString(60000, u'9') + "x,2,3,4,5,6,7,8,9\n", {}, someFailed,
         "第 2 行第 2 列（Xa）的“99999999999999999999999999999999…”不是数字", true},
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
        // nothing from the file drives the terminal or floods it
        EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
        EXPECT_LT(run.err.size(), 400u);
        // nothing half-written: the results whole, or no file at all
        QStringList expected{"figures.csv"};
        if (c.resultsWritten)
            expected << "results.csv";
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), expected);
    }
}

// A project of six figures in one run: each row's status, the points of the
// figures that pass once each under their names, and the PDF's pages one
// for one with the rows, each under its figure's name and line. The sides
// were measured, a millimetre or two off, between the true points below, so
// every new point lands within a few millimetres of its true place.
TEST(Batch, AProjectsFiguresGiveOnePointsFileAndAPageForEveryRow)
{
    const QString file = QStringLiteral(
        "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,A点名,B点名,C点名,D点名\n"
        "一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709,GP01,K1,GP02,K2\n"
        // shares GP02 with the first
        "二号锁,4497.112,2188.650,5380.250,3105.400,929.5831,806.3793,921.9176,862.1471,1218.2374,GP02,K3,GP03,K4\n"
        "三号锁,3521.4l8,1204.337,4497.112,2188.650,902.0994,870.9342,889.6263,951.5448,1158.3744,GP01,K1,GP02,K2\n"
        // K2 is another point here than the first figure's K2
        "四号锁,4497.112,2188.650,5380.250,3105.400,1004.7647,863.7404,984.8057,1015.9998,1453.4452,GP02,K2,GP03,K7\n"
        // S6 5 cm long
        "五号锁,5380.250,3105.400,6300.000,3900.000,970.7771,751.6638,901.3893,844.8289,1242.0252,GP03,K8,GP04,K9\n"
        // the first figure's new point K1 as a control point, to the millimetre
        "六号锁,4415.873,1321.512,4497.112,2188.650,614.5168,633.3246,631.0050,633.9577,905.5365,K1,K5,GP02,K6\n");
    QTemporaryDir folder;
    Options options;
    options.reports = folder.filePath("测区.pdf").toStdString();
    options.points = folder.filePath("测区.DAT").toStdString();
    const BatchRun run = runOn(folder, file, options);

    EXPECT_EQ(run.status, someFailed);
    EXPECT_EQ(run.err, "第 4 行第 2 列（Xa）的“3521.4l8”不是数字\n"
                       "第 5 行 四号锁：点名 K2 在第 2 行与第 5 行的坐标不同\n"
                       "第 6 行 五号锁：超限，w = -15.73秒，限差 ±4.32秒\n"
                       "共 6 个图形：合格 3，超限 1，错误 2\n");
    const std::vector<QStringList> rows = resultRows(folder.filePath("results.csv"));
    ASSERT_EQ(rows.size(), 6u);
    QStringList statuses;
    for (const QStringList& row : rows)
        statuses << row[2];
    EXPECT_EQ(statuses, QStringList({"合格", "合格", "第 4 行第 2 列（Xa）的“3521.4l8”不是数字",
                                     "点名 K2 在第 2 行与第 5 行的坐标不同", "超限", "合格"}));
    // a row with an error has no numbers, its names where they were read
    EXPECT_EQ(rows[3].mid(3), QStringList(18, QString()) + QStringList({"GP02", "K2", "GP03", "K7"}));

    // each point once, in the order first met, east before north; none of
    // the figures that failed, clashed or exceeded their limit
    const struct {
        const char* name;
        double X, Y, within; // metres
    } expected[] = {
        {"GP01", 3521.418, 1204.337, 0}, {"K1", 4415.873, 1321.512, 0.0005}, {"GP02", 4497.112, 2188.650, 0},
        {"K2", 3608.246, 2151.914, 0.0005}, {"K3", 5420, 2300, 0.005}, {"GP03", 5380.25, 3105.4, 0},
        {"K4", 4460, 3050, 0.005}, {"K5", 4900, 1700, 0.005}, {"K6", 4000, 1800, 0.005},
    };
    const QStringList lines =
        QString::fromUtf8(readFile(folder.filePath("测区.DAT"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(expected))) << lines.join('\n').toStdString();
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const QStringList cells = lines[static_cast<qsizetype>(i)].split(u',');
        EXPECT_EQ(cells[0], expected[i].name);
        EXPECT_NEAR(cells[2].toDouble(), expected[i].Y, expected[i].within + 1e-9) << expected[i].name;
        EXPECT_NEAR(cells[3].toDouble(), expected[i].X, expected[i].within + 1e-9) << expected[i].name;
    }

    // a page for every row, in the rows' order, each under its name and line
    const QString pdf = folder.filePath("测区.pdf");
    ASSERT_EQ(testing::pdfPageCount(pdf), 6);
    const char* const headers[] = {"一号锁 · 第 2 行", "二号锁 · 第 3 行", "三号锁 · 第 4 行",
                                   "四号锁 · 第 5 行", "五号锁 · 第 6 行", "六号锁 · 第 7 行"};
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        const QStringList text = testing::pdfLines(pdf, page);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(text[0].startsWith(QString::fromUtf8(headers[page - 1]) + u' ')) << text[0].toStdString();
        EXPECT_TRUE(QRegularExpression("\\d{4}-\\d{2}-\\d{2}$").match(text[0]).hasMatch()) << text[0].toStdString();
        const bool computed = page != 3 && page != 4;
        EXPECT_EQ(text.contains("--- Korvane ---"), computed);
        if (!computed) {
            // headed by its name and line, it says what RESULTS.csv says
            EXPECT_EQ(text.mid(1), QStringList({QString::fromUtf8(headers[page - 1]), statuses[page - 1]}));
        }
    }
}

// No output may replace the observation file or another output, whatever
// path names it: the run is refused before anything is written, the
// message names both, and the folder is left as it was.
TEST(Batch, NoOutputOverwritesTheObservationFileOrAnotherOutput)
{
    const QByteArray figures = (header + "一号锁" + valuesText(testing::checkedNetworks()[0].measured) + "\n").toUtf8();
    struct Case {
        std::string name;
        std::vector<std::pair<std::string Options::*, const char*>> outputs; // in the test's folder
        std::string refused; // the output refused, and the file it would replace
    };
    std::vector<Case> cases{
        {"--pdf as the results, neither there yet", {{&Options::results, "r.csv"}, {&Options::reports, "sub/../r.csv"}},
         "PDF 文件（--pdf）“%1/sub/../r.csv”与结果文件（--output）“%1/r.csv”"},
        {"--points as the PDF through a link to the folder", {{&Options::reports, "r.pdf"}, {&Options::points, "here/r.pdf"}},
         "坐标文件（--points）“%1/here/r.pdf”与PDF 文件（--pdf）“%1/r.pdf”"},
    };
    const std::pair<std::string Options::*, const char*> options[] = {
        {&Options::results, "结果文件（--output）"}, {&Options::reports, "PDF 文件（--pdf）"}, {&Options::points, "坐标文件（--points）"}};
    for (const auto& [option, what] : options)
        for (const char* path : {"./测区.csv", "sub/../测区.csv", "link.csv"})
            cases.push_back({std::string(what) + " " + path, {{option, path}},
                             std::string(what) + "“%1/" + path + "”与观测文件“%1/测区.csv”"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        writeFile(folder.filePath("测区.csv"), figures);
        QDir(folder.path()).mkdir("sub");
        QFile::link(folder.filePath("测区.csv"), folder.filePath("link.csv"));
        QFile::link(folder.path(), folder.filePath("here"));
        Options options;
        options.figures = folder.filePath("测区.csv").toStdString();
        options.results = folder.filePath("results.csv").toStdString();
        for (const auto& [option, path] : c.outputs)
            options.*option = folder.filePath(path).toStdString();
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        std::ostringstream err;
        EXPECT_EQ(runBatch(options, err, false), couldNotRun);
        EXPECT_EQ(QString::fromStdString(err.str()).section("是同一个文件", 0, 0),
                  QString::fromStdString(c.refused).arg(folder.path()));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        EXPECT_TRUE(QDir(folder.filePath("sub")).isEmpty());
        EXPECT_EQ(readFile(folder.filePath("测区.csv")), figures);
    }
}

// A name that a spreadsheet would take for a formula is text in RESULTS.csv
// and in the points of either kind.
TEST(Batch, NoCellOfItsFilesStartsAFormula)
{
    const QString values = valuesText(testing::checkedNetworks()[0].measured);
    const struct {
        const char* figure; // the name cell as the file holds it, then as RESULTS.csv does
        const char* figureCell;
    } cases[] = {
        {"\"=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\"", "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\""},
        {"+86 锁", "'+86 锁"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\"\r+1\"", "\"'\r+1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figureCell);
        for (const char* point : {"=K1", "+K1", "-K1", "@K1"}) {
            QTemporaryDir folder;
            Options options;
            options.points = folder.filePath(point[0] == '=' ? "points.csv" : "points.dat").toStdString();
            runOn(folder, "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,C点名\n" + QString::fromUtf8(c.figure) + values + u',' + point + u'\n',
                  options);
            const QByteArray row = readFile(folder.filePath("results.csv")).split('\n').value(1);
            EXPECT_TRUE(row.startsWith(QByteArray(c.figureCell) + ",2,合格,1385.9476,3.43,")) << row.toStdString();
            EXPECT_TRUE(row.endsWith(",A,B,'" + QByteArray(point) + ",D\r")) << row.toStdString();
            EXPECT_TRUE(readFile(QString::fromStdString(options.points)).contains("\n'" + QByteArray(point) + ","));
        }
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
        {"points without a batch", {"--points", "p.dat"}, couldNotRun, "", "只能与 --batch 一起使用"},
        {"points without a name", {"--batch", "x.csv", "--points="}, couldNotRun, "", "--points 需要一个文件名"},
        {"the results over the observations", {"--batch", "korvane-测区.csv", "--output", "./korvane-测区.csv"},
         couldNotRun, "", "结果文件（--output）“./korvane-测区.csv”与观测文件“korvane-测区.csv”是同一个文件"},
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
