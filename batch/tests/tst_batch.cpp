#include "batch_run.h"

#include "checked_networks.h"
#include "figure_files.h"
#include "grid_networks.h"
#include "pdf_text.h"
#include "strength_networks.h"

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
// the figure's strength after md2, and the exit status. A weak figure
// within its limit is 图形较弱, not 合格.
TEST(Batch, JudgesEachCheckedNetworkAsComputedIndependently)
{
    for (std::size_t i = 0; i < testing::checkedNetworks().size(); ++i) {
        const testing::CheckedNetwork& network = testing::checkedNetworks()[i];
        const testing::NetworkStrength& strength = testing::networkStrengths()[i];
        SCOPED_TRACE(network.name);
        QTemporaryDir folder;
        Options options;
        options.accuracy = network.accuracy;
        const BatchRun run = runOn(folder, header + QString::fromUtf8(network.name) + valuesText(network.measured) + u'\n',
                              options);
        const bool sound = network.withinLimit && !strength.weakest;
        EXPECT_EQ(run.status, sound ? allPassed : someFailed);
        const std::vector<QStringList> rows = resultRows(folder.filePath("results.csv"));
        ASSERT_EQ(rows.size(), 1u);
        ASSERT_EQ(rows[0].size(), 32);
        EXPECT_EQ(rows[0][0], QString::fromUtf8(network.name));
        EXPECT_EQ(rows[0][1], "2");
        EXPECT_EQ(rows[0][2], !network.withinLimit ? "超限" : strength.weakest ? "图形较弱" : "合格");
        EXPECT_EQ(rows[0][4], network.wText);
        EXPECT_EQ(rows[0][5], network.limitText);
        EXPECT_EQ(rows[0].mid(21, 7), (QStringList{strength.scale, strength.smallest, strength.detectable, strength.effectOnB,
                                                strength.effectOnD, strength.aPrioriMdB, strength.aPrioriMdD}));
    }
}

// The figures at the edges of the check, each row against the independent
// computation: the worked example, S6 5 cm long, the long thin figure, B
// 1 mm off A-C (whose blunders leave no figure to compute: the effects
// empty) and a figure whose sides fit exactly (ms 0.00, the instrument's
// precision all the same); the summary counts the weak ones on their own.
TEST(Batch, FiguresAtTheEdgesOfTheCheck)
{
    const testing::CheckedNetwork& worked = testing::checkedNetworks()[0];
    const Observations exact{3521.418, 1204.337, 4497.112, 2188.650, 902.0974047463, 870.9351790834,
                             889.6248083614, 951.5467789410, 1158.3733649964};
    const struct {
        const char* name;
        Observations figure;
        QStringList cells; // 状态, then ms, then 尺度(ppm) to 验前md2(毫米)
    } figures[] = {
        {"worked", worked.measured, {"合格", "6.48", "-7.24", "37.8", "27.8", "22.0", "23.2", "4.88", "4.97"}},
        {"blunder", testing::checkedNetworks()[1].measured,
         {"超限", "20.49", "22.91", "37.8", "27.8", "22.0", "23.2", "4.88", "4.97"}},
        {"long thin", testing::checkedNetworks()[8].measured,
         {"图形较弱", "4.20", "-2.17", "8.5", "68.6", "41.1", "48.9", "12.80", "12.62"}},
        {"B off A-C", testing::bOffTheLine(), {"图形较弱", "0.00", "0.00", "0.0", "5683920.6", "", "", "5.14", "5.12"}},
        {"exact", exact, {"合格", "0.00", "0.00", "37.8", "27.8", "22.0", "23.2", "4.88", "4.97"}},
    };
    QString file = header;
    for (const auto& f : figures)
        file += QString::fromUtf8(f.name) + valuesText(f.figure) + u'\n';
    QTemporaryDir folder;
    const BatchRun run = runOn(folder, file, {});
    EXPECT_EQ(run.status, someFailed);
    EXPECT_EQ(run.err, "第 3 行 blunder：超限，w = -10.84秒，限差 ±4.19秒\n"
                       "第 4 行 long thin：图形较弱：三角形 A-B-C 在 A 的角为 8.5°（规范要求三角形内角不小于 30°），本检核不可靠\n"
                       "第 5 行 B off A-C：图形较弱：三角形 A-B-C 在 C 的角为 0.0°（规范要求三角形内角不小于 30°），本检核不可靠\n"
                       "共 5 个图形：合格 2，图形较弱 2，超限 1，错误 0\n");
    const std::vector<QStringList> rows = resultRows(folder.filePath("results.csv"));
    ASSERT_EQ(rows.size(), std::size(figures));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(figures[i].name);
        EXPECT_EQ(QStringList{rows[i][2]} + QStringList{rows[i][6]} + rows[i].mid(21, 7), figures[i].cells);
    }
}

// Ground distances on a national grid (zone 38, 45 km west of the central
// meridian, 600 m high): beyond the limit as measured, with a scale near
// -70 ppm; reduced they pass, and B and D are those of the independent
// reduction and rigorous adjustment to the printed millimetre. A figure's
// own 平均高程 stands in for HM; one the reduction cannot use is that row's
// fault in a sentence that names the column.
TEST(Batch, ReducesTheSidesOfEveryFigure)
{
    const testing::GridFigure& grid = testing::groundDistancesOnTheNationalGrid();
    const QString line = valuesText(grid.measured);
    const QString withHeight = "名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6,平均高程\n";
    const auto mm = [](double metres) { return QString::number(metres, 'f', 3); };
    const QStringList placed{mm(grid.xB), mm(grid.yB), mm(grid.xD), mm(grid.yD)};
    const struct {
        const char* name;
        QString figures;
        DistanceReduction reduction;
        int status;
        QString status0; // the first row's 状态
    } cases[] = {
        {"as measured", header + "国家网" + line + "\n", noReduction, someFailed, "超限"},
        {"reduced", header + "国家网" + line + "\n", grid.reduction, allPassed, "合格"},
        {"the figure's own height", withHeight + "国家网" + line + ",600\n", {true, 0, 0, true, 38500000}, allPassed,
         "合格"},
        {"a figure's height out of range", withHeight + "国家网" + line + ",12000\n", grid.reduction, someFailed,
         "观测文件中本图形的平均高程超出了 -10000 到 10000 米的范围，不能用来把边长归算到投影面，计算中止。"
         "请检查观测文件的“平均高程”列。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        Options options;
        options.reduction = c.reduction;
        const BatchRun run = runOn(folder, c.figures, options);
        EXPECT_EQ(run.status, c.status) << run.err;
        const std::vector<QStringList> rows = resultRows(folder.filePath("results.csv"));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][2], c.status0);
        if (c.status0 == "超限") {
            EXPECT_EQ(rows[0][21], "-69.81");
        }
        if (c.status == allPassed) {
            EXPECT_EQ((QStringList{rows[0][7], rows[0][8], rows[0][14], rows[0][15]}), placed);
            EXPECT_EQ(rows[0][4], "0.31");
        }
    }

    // The report lists the reduced sides as the measured ones, and the page
    // of the figure each side as typed, its reduction and as reduced.
    QTemporaryDir folder;
    Options options;
    options.reduction = grid.reduction;
    options.reports = folder.filePath("reports.pdf").toStdString();
    options.checkPage = true;
    ASSERT_EQ(runOn(folder, header + "国家网" + line + "\n", options).status, allPassed);
    const QString report = testing::pdfText(folder.filePath("reports.pdf"), 1);
    const QString page = testing::pdfText(folder.filePath("reports.pdf"), 2).simplified();
    EXPECT_TRUE(report.contains("999.9550")) << report.toStdString();
    EXPECT_FALSE(report.contains("1000.0235"));
    EXPECT_TRUE(page.contains("合格。边长已归算：\u221269.1 ppm")) << page.toStdString();
    EXPECT_TRUE(page.contains("观测边 输入值（米） 归算（毫米） 归算后（米）"));
    EXPECT_TRUE(page.contains("S1 1000.0235 -68.5 999.9550"));
    EXPECT_TRUE(page.contains("S6 1358.6086 -93.9 1358.5147"));
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
        {"one figure of weak geometry", header + goodLine + "长条" + valuesText(testing::checkedNetworks()[8].measured) + "\n",
         {}, someFailed, "共 2 个图形：合格 1，图形较弱 1，超限 0，错误 0", true},
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
    EXPECT_EQ(rows[3].mid(3), QStringList(25, QString()) + QStringList({"GP02", "K2", "GP03", "K7"}));

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
    // judged at the batch's accuracy, A in millimetres before B in ppm
    const ProgramRun checked =
        korvane({"--batch", "测区.csv", "--pdf", "报告.pdf", "--check-page", "--accuracy", "5,3"}, folder.path());
    EXPECT_EQ(checked.status, someFailed) << checked.err.toStdString();
    QStringList pages;
    for (int page = 1; page <= 5; ++page)
        pages << testing::pdfText(reports, page);
    for (int figure : {0, 3}) {
        EXPECT_TRUE(pages[figure].contains("--- Korvane ---"));
        EXPECT_FALSE(pages[figure].contains("网图与检核"));
        EXPECT_TRUE(pages[figure + 1].contains("网图与检核"));
        EXPECT_TRUE(pages[figure + 1].contains("测距精度 5 mm + 3 ppm")) << pages[figure + 1].toStdString();
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
        {"a reduction of one value", {"--batch", "x.csv", "--reduce", "600"}, couldNotRun, "",
         "--reduce 应为两个或三个数：测区平均高程 HM 和投影面高程 H0（米），需要高斯投影改正时再加 Y 坐标加常数，"
         "用逗号隔开，例如 600,0,38500000"},
        {"a reduction of four values", {"--batch", "x.csv", "--reduce", "600,0,38500000,1"}, couldNotRun, "",
         "--reduce 应为两个或三个数"},
        {"a height that is not a number", {"--batch", "x.csv", "--reduce", "600,abc"}, couldNotRun, "",
         "--reduce 600,abc 不能用：投影面高程 H_0（米）“abc”不是可用的数。请输入 -10000 到 10000 之间的数。"},
        {"a mean height left empty", {"--batch", "x.csv", "--reduce", ",0"}, couldNotRun, "",
         "--reduce ,0 不能用：测区平均高程 H_m（米）没有填写。请输入 -10000 到 10000 之间的数。"},
        {"a height beyond any survey", {"--batch", "x.csv", "--reduce=12000,0"}, couldNotRun, "",
         "--reduce 12000,0 不能用：测区平均高程 H_m（米）“12000”超出了范围。请输入 -10000 到 10000 之间的数。"},
        {"a height that is infinite", {"--batch", "x.csv", "--reduce", "inf,0"}, couldNotRun, "",
         "“inf”不是可用的数"},
        {"a Y constant below zero", {"--batch", "x.csv", "--reduce", "600,0,-500000"}, couldNotRun, "",
         "--reduce 600,0,-500000 不能用：Y 坐标加常数（米）“-500000”超出了范围。请输入 0 到 120500000 之间的数。"},
        {"a reduction without a batch", {"--reduce", "600,0"}, couldNotRun, "", "只能与 --batch 一起使用"},
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
