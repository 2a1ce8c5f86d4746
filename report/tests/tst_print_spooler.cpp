// The print command against the real print spooler: a computation, a click
// of the print button, and the job read back from the spooler.
//
// It needs a running CUPS scheduler with a default queue that keeps the job
// files; scripts/start-print-spooler.sh (as root) sets that up, and the test
// command of the README runs it. Without it this test fails: a machine that
// cannot print cannot show that the report reaches paper.

#include "adjustment.h"
#include "print_report.h"
#include "report.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <cmath>

namespace korvane {
namespace {

const char* const setUpHint = "start the spooler with: sudo scripts/start-print-spooler.sh";

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The ids of the jobs of `queue` that the spooler lists as `which`
// ("completed" or "all").
QSet<int> jobsOf(const QString& queue, const QString& which)
{
    QSet<int> ids;
    const QRegularExpression job("^" + QRegularExpression::escape(queue) + "-(\\d+)\\s",
                                 QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& match : job.globalMatch(run("lpstat", {"-W", which, "-o", queue})))
        ids.insert(match.captured(1).toInt());
    return ids;
}

// The job's name as the spooler keeps it in its control file, an IPP
// message: the attribute name, a two-byte length, the value.
QString jobName(int id)
{
    QFile control(QString("/var/spool/cups/c%1").arg(id, 5, 10, QChar('0')));
    if (!control.open(QIODevice::ReadOnly))
        return "(control file unreadable: " + control.errorString() + ")";
    const QByteArray data = control.readAll();
    const QByteArray attribute = "job-name";
    const qsizetype at = data.indexOf(attribute);
    if (at < 0 || at + attribute.size() + 2 > data.size())
        return "(no job-name)";
    const qsizetype lengthAt = at + attribute.size();
    const int length = (static_cast<unsigned char>(data[lengthAt]) << 8) | static_cast<unsigned char>(data[lengthAt + 1]);
    return QString::fromUtf8(data.mid(lengthAt + 2, length));
}

// The text of the job's document as the program sent it, one string a line,
// blanks collapsed.
QStringList documentLines(int id)
{
    const QString path = QString("/var/spool/cups/d%1-001").arg(id, 5, 10, QChar('0'));
    EXPECT_TRUE(QFile(path).open(QIODevice::ReadOnly))
        << path.toStdString() << " is missing or unreadable: the spooler must keep job files "
        << "(PreserveJobFiles) and the test must run as root; " << setUpHint;
    QStringList lines;
    for (const QString& line : run("pdftotext", {"-layout", path, "-"}).split('\n'))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

// Every printed line of the report, blanks collapsed, in order.
QStringList reportLines(const Observations& o, const AdjustmentResult& r)
{
    QStringList lines;
    for (const ReportStep& step : reportSteps(o, r)) {
        const Line* line = std::get_if<Line>(&step);
        if (!line || line->empty())
            continue;
        QString text;
        for (const LineItem& item : *line) {
            if (const auto* t = std::get_if<Text>(&item))
                text += QString::fromStdString(*t);
            else if (const auto* spaces = std::get_if<Spaces>(&item))
                text += QString(spaces->count, ' ');
        }
        lines << text.simplified();
    }
    return lines;
}

// A field rhombus with a few millimetres of error on every measured side.
Observations fieldObservations()
{
    const double Ax = 3456789.123, Ay = 512345.678, Bx = 3457402.517, By = 512391.204;
    const double Cx = 3457612.890, Cy = 513298.456, Dx = 3456911.347, Dy = 513154.902;
    return {Ax, Ay, Cx, Cy,
            std::hypot(Bx - Ax, By - Ay) + 0.0123, std::hypot(Cx - Bx, Cy - By) - 0.0071,
            std::hypot(Dx - Cx, Dy - Cy) + 0.0046, std::hypot(Ax - Dx, Ay - Dy) - 0.0089,
            std::hypot(Dx - Bx, Dy - By) + 0.0152};
}

TEST(PrintSpooler, PrintCommandSendsTheWholeReportToTheDefaultPrinter)
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    ASSERT_FALSE(printer.isNull()) << "no default printer; " << setUpHint;
    const QString queue = printer.printerName();
    const QSet<int> before = jobsOf(queue, "all");

    Observations observations = fieldObservations();
    AdjustmentResult result;
    result.s1 = static_cast<float>(observations.S1);
    result.s2 = static_cast<float>(observations.S2);
    result.s4 = static_cast<float>(observations.S4);
    result.s5 = static_cast<float>(observations.S5);
    result.s6 = static_cast<float>(observations.S6);
    adjust(observations, result);
    printReportOnDefaultPrinter(observations, result);

    // the job must reach the spooler and go through it
    QSet<int> printed;
    for (QDeadlineTimer deadline(60000); !deadline.hasExpired(); QThread::msleep(200)) {
        printed = jobsOf(queue, "completed") - before;
        if (!printed.isEmpty() && (jobsOf(queue, "not-completed") & printed).isEmpty())
            break;
    }
    ASSERT_FALSE(printed.isEmpty()) << "nothing was printed on " << queue.toStdString();

    const QStringList expected = reportLines(observations, result);
    ASSERT_EQ(expected.size(), 40);
    for (int id : printed) {
        SCOPED_TRACE("job " + std::to_string(id));
        // the spooler writes a job's control file a moment after the job ends
        QString name = jobName(id);
        for (QDeadlineTimer deadline(30000); name.startsWith('(') && !deadline.hasExpired(); QThread::msleep(200))
            name = jobName(id);
        EXPECT_EQ(name.toStdString(), "Korvane");
        const QStringList document = documentLines(id);
        EXPECT_EQ(document.size(), expected.size()) << document.join('\n').toStdString();
        qsizetype from = 0;
        for (const QString& line : expected) {
            const qsizetype at = document.indexOf(line, from);
            EXPECT_GE(at, 0) << "not on paper, or out of order: " << line.toStdString();
            if (at >= 0)
                from = at + 1;
        }
    }
}

} // namespace
} // namespace korvane

int main(int argc, char** argv)
{
    // CTest sets the platform; test discovery at build time runs without it
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
