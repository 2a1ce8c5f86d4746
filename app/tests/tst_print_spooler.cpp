// The print command against a real print spooler: a computation, a click
// of the print button, and the job read back from the spooler.
//
// It needs a CUPS scheduler of its own, named by CUPS_SERVER: the private
// spooler of scripts/private-print-spooler.sh, whose default queue keeps the
// job files in its folder. CTest starts one before this test and ends it
// after. Without it this test fails rather than print on the machine's own
// printers: a machine that cannot print cannot show that the report reaches
// paper.

#include "file_bytes.h"
#include "form1.h"
#include "input_dialog.h"
#include "message_sink.h"
#include "pdf_report.h"
#include "pdf_text.h"
#include "report_text.h"
#include "settings_memory.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

namespace korvane {
namespace {

const char* const setUpHint = "run it through ctest, which starts a private spooler, or start one with "
                              "scripts/private-print-spooler.sh start DIR and export the line it prints";

// The spool of the private spooler whose socket CUPS_SERVER names
// (DIR/run/cups.sock): DIR/spool, or nothing when CUPS_SERVER names no such
// socket, the system's scheduler included.
QString privateSpool()
{
    const QString socket = qEnvironmentVariable("CUPS_SERVER");
    if (!socket.startsWith('/') || !QFileInfo(socket).exists())
        return {};
    const QString spool = QFileInfo(socket).absoluteDir().absoluteFilePath("../spool");
    return QFileInfo(spool).isDir() ? QDir::cleanPath(spool) : QString();
}

// The ids of the jobs of `queue` that the spooler lists as `which`
// ("completed" or "all").
QSet<int> jobsOf(const QString& queue, const QString& which)
{
    QSet<int> ids;
    const QRegularExpression job("^" + QRegularExpression::escape(queue) + "-(\\d+)\\s",
                                 QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& match :
         job.globalMatch(testing::outputOf("lpstat", {"-W", which, "-o", queue})))
        ids.insert(match.captured(1).toInt());
    return ids;
}

// The job's name as the spooler keeps it in its control file, an IPP
// message: the attribute name, a two-byte length, the value.
QString jobName(const QString& spool, int id)
{
    QFile control(spool + QString("/c%1").arg(id, 5, 10, QChar('0')));
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

// The job's document as the program sent it.
QString jobDocument(const QString& spool, int id)
{
    return spool + QString("/d%1-001").arg(id, 5, 10, QChar('0'));
}

// The text of the job's document as the program sent it, one string a line,
// blanks collapsed.
QStringList documentLines(const QString& spool, int id)
{
    const QString path = jobDocument(spool, id);
    EXPECT_TRUE(QFile(path).open(QIODevice::ReadOnly))
        << path.toStdString() << " is missing or unreadable: the spooler must keep job files "
        << "(PreserveJobFiles); " << setUpHint;
    return testing::pdfLines(path);
}

// The surveyor at the prompts: types the nine values of a rhombus of about
// 1.3 km over whatever is offered and confirms each with Enter (an empty
// reply).
class FieldSurveyor final : public InputDialog {
public:
    std::optional<QString> ask(const QString& prompt, const QString&, const char*, const QString&) override
    {
        if (prompt.contains(QString::fromUtf8("是否正确")) || next_ == values_.size())
            return QString();
        return values_[next_++];
    }

private:
    QStringList values_{"3456789.123", "512345.678", "3457612.890", "513298.456", "615.0934",
                        "931.3161", "716.0844", "818.3933", "908.0254"};
    qsizetype next_ = 0;
};

class Messages final : public MessageSink {
public:
    void tell(const QString& text) override { told << text; }
    QStringList told;
};

// The private spooler's default queue, and the jobs it held before the test.
class PrintSpooler : public ::testing::Test {
protected:
    void SetUp() override
    {
        spool = privateSpool();
        ASSERT_FALSE(spool.isEmpty()) << "CUPS_SERVER names no private spooler; " << setUpHint;
        // a destination named in the caller's environment would win over the
        // spooler's default
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        ASSERT_FALSE(printer.isNull()) << "no default printer; " << setUpHint;
        queue = printer.printerName();
        before = jobsOf(queue, "all");
    }

    QString spool;
    QString queue;
    QSet<int> before;
    // the settings of a first start, in a file of the test's own
    QTemporaryDir settingsFolder;
    SettingsMemory settings{settingsFolder.filePath("korvane.conf")};
};

TEST_F(PrintSpooler, PrintCommandSendsTheWholeReportToTheDefaultPrinter)
{
    FieldSurveyor surveyor;
    Messages messages;
    Form1 form({.input = &surveyor, .messages = &messages, .settings = &settings});
    form.Command1_Click();
    ASSERT_TRUE(form.compute().finished()) << messages.told.join('\n').toStdString();
    // a computation, not zeros: B lies within centimetres of where it was staked
    EXPECT_NEAR(form.compute().result().xp1, 3457402.517, 0.05);
    EXPECT_NEAR(form.compute().result().yp1, 512391.204, 0.05);
    // twice: the second page must be the same as the first
    form.Command3_Click();
    form.Command3_Click();
    ASSERT_TRUE(messages.told.isEmpty()) << messages.told.join('\n').toStdString();

    // both jobs must reach the spooler and go through it
    QSet<int> printed;
    for (QDeadlineTimer deadline(60000); !deadline.hasExpired(); QThread::msleep(200)) {
        printed = jobsOf(queue, "completed") - before;
        if (printed.size() >= 2 && (jobsOf(queue, "not-completed") - before).isEmpty())
            break;
    }
    ASSERT_FALSE(printed.isEmpty()) << "nothing was printed on " << queue.toStdString();
    EXPECT_EQ(printed.size(), 2);
    // the spooler's default, not the printer it lists first
    EXPECT_EQ(queue, "korvane");
    EXPECT_EQ(jobsOf("another", "all"), QSet<int>()) << "a job went to a printer other than the default";

    QStringList expected;
    const FigureCompute& compute = form.compute();
    for (const testing::PrintedLine& line : testing::printedLines(compute.observations(), compute.result()))
        expected << line.text;
    ASSERT_EQ(expected.size(), 40);
    // the PDF file of the same records breaks into the same pages as the paper
    QTemporaryDir folder;
    saveReportAsPdf(folder.filePath("report.pdf"), form.compute().observations(), form.compute().result());
    const int savedPages = testing::pdfPageCount(folder.filePath("report.pdf"));
    EXPECT_GE(savedPages, 1);

    QList<QStringList> documents;
    for (int id : printed) {
        SCOPED_TRACE("job " + std::to_string(id));
        // the spooler writes a job's control file a moment after the job ends
        QString name = jobName(spool, id);
        for (QDeadlineTimer deadline(30000); name.startsWith('(') && !deadline.hasExpired(); QThread::msleep(200))
            name = jobName(spool, id);
        EXPECT_EQ(name.toStdString(), "Korvane");

        EXPECT_EQ(testing::pdfPageCount(jobDocument(spool, id)), savedPages);
        const QStringList document = documentLines(spool, id);
        EXPECT_EQ(document.size(), expected.size()) << document.join('\n').toStdString();
        qsizetype from = 0;
        for (const QString& line : expected) {
            const qsizetype at = document.indexOf(line, from);
            EXPECT_GE(at, 0) << "not on paper, or out of order: " << line.toStdString();
            if (at >= 0)
                from = at + 1;
        }
        documents << document;
    }
    if (documents.size() == 2) {
        EXPECT_EQ(documents[0], documents[1]);
    }
}

// Asked for on the print button's menu (kept in the settings), the page of
// the figure follows the report's on paper.
TEST_F(PrintSpooler, PageOfTheFigureFollowsTheReportWhenAsked)
{
    settings.rememberFigurePage(true);
    FieldSurveyor surveyor;
    Messages messages;
    Form1 form({.input = &surveyor, .messages = &messages, .settings = &settings});
    form.Command1_Click();
    form.Command3_Click();
    ASSERT_TRUE(messages.told.isEmpty()) << messages.told.join('\n').toStdString();

    QSet<int> printed;
    for (QDeadlineTimer deadline(60000); printed.isEmpty() && !deadline.hasExpired(); QThread::msleep(200))
        printed = jobsOf(queue, "completed") - before;
    ASSERT_EQ(printed.size(), 1) << "nothing was printed on " << queue.toStdString();

    QTemporaryDir folder;
    saveReportAsPdf(folder.filePath("report.pdf"), form.compute().observations(), form.compute().result());
    const QString job = jobDocument(spool, *printed.begin());
    EXPECT_EQ(testing::pdfPageCount(job), testing::pdfPageCount(folder.filePath("report.pdf")) + 1);
    const QString page = testing::pdfText(job, testing::pdfPageCount(job));
    EXPECT_TRUE(page.contains(QString::fromUtf8("网图与检核"))) << page.toStdString();
    for (const char* text : {"闭合差检核：w = ", "B 在 A→C 的左侧，D 在右侧"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text << " not on\n" << page.toStdString();
}

// The spooler's script ends and removes only what its start made: a folder
// of the user's, whose process id names another program, is left whole and
// the program running, and is refused as a spooler's folder; a folder the
// start made is removed.
TEST(PrivatePrintSpoolerScript, StopsAndRemovesOnlyWhatItsStartMade)
{
    const auto script = [](const QString& action, const QString& folder) {
        QProcess process;
        process.start(KORVANE_SPOOLER_SCRIPT, {action, folder});
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    };
    QTemporaryDir folder;
    QProcess other;
    other.start("sleep", {"60"});
    ASSERT_TRUE(other.waitForStarted());
    testing::writeFile(folder.filePath("cupsd.pid"), QByteArray::number(other.processId()));
    testing::writeFile(folder.filePath("cupsd.conf"), "# the user's own scheduler\n");
    const QString before = QDir(folder.path()).entryList(QDir::Files).join(' ');

    EXPECT_EQ(script("stop", folder.path()).first, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).join(' '), before);
    EXPECT_EQ(other.state(), QProcess::Running);

    const auto [status, error] = script("start", folder.path());
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(error.contains("holds other files")) << error.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).join(' '), before);
    EXPECT_EQ(other.state(), QProcess::Running);
    other.kill();
    other.waitForFinished();

    testing::writeFile(folder.filePath("cupsd.conf"), "# private print spooler of Korvane\n");
    EXPECT_EQ(script("stop", folder.path()).first, 0);
    EXPECT_FALSE(QFileInfo::exists(folder.path()));
}

} // namespace
} // namespace korvane
