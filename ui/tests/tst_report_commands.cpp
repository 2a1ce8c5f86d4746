#include "report_commands.h"

#include "checked_networks.h"
#include "fakes.h"
#include "faulty_figures.h"

#include "report_words.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using testing::KeptSettings;
using testing::PreviewRecorder;
using testing::PrintRecorder;
using testing::RecordingMessages;
using testing::ScriptedSaveDialog;
using testing::computed;

const Observations worked = testing::checkedNetworks()[0].measured;

QString refused()
{
    return QString::fromStdString(printRefusedMessage());
}

QString failure(PrintError::Reason reason)
{
    return QString::fromStdString(printFailureMessage(reason));
}

// The family with its own compute and stand-ins, and the notices it gave.
struct Report {
    explicit Report(FigureCompute computed, std::optional<QString> pdf = std::nullopt)
        : compute(std::move(computed)), files(std::move(pdf)),
          commands(compute, settings, files, messages, nullptr, printer.job(), preview.job())
    {
        QObject::connect(&commands, &ReportCommands::reportSent,
                         [this](const QString& notice) { notices << notice; });
    }

    FigureCompute compute;
    KeptSettings settings;
    ScriptedSaveDialog files;
    RecordingMessages messages;
    PrintRecorder printer;
    PreviewRecorder preview;
    ReportCommands commands;
    QStringList notices;
};

// Printed, previewed and saved while the records belong to one compute (none
// yet, whose zeros print, or one that finished); refused, each with the
// same message, while they mix two.
TEST(ReportCommands, RefusedWhileTheRecordsMixTwoComputes)
{
    const struct {
        const char* name;
        FigureCompute compute;
        bool reports;
    } cases[] = {
        {"before any compute", computed({}), true},
        {"a finished compute", computed({worked}), true},
        {"a fault before w", computed({worked, testing::noTriangleFigure()}), false},
        {"a fault after w", computed({worked, testing::hugeFigure()}), false},
        {"a finished compute after a fault", computed({testing::hugeFigure(), worked}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Report report(c.compute); // the PDF's dialog cancelled
        report.commands.print();
        report.commands.preview();
        report.commands.saveAsPdf();
        EXPECT_EQ(report.printer.prints, c.reports ? 1 : 0);
        EXPECT_EQ(report.preview.previews, c.reports ? 1 : 0);
        EXPECT_EQ(report.files.asked.size(), c.reports ? 1u : 0u);
        EXPECT_EQ(report.messages.messages, c.reports ? QStringList() : QStringList(3, refused()));
    }
}

// A printer that fails becomes a message and nothing else; without a
// printer the print command's message offers the PDF, the preview's does not
// (a preview prints only when asked, and then the printer is there to name).
TEST(ReportCommands, PrinterFaultsBecomeMessages)
{
    struct Case {
        const char* name;
        bool preview; // else the print command
        PrintError::Reason reason;
        bool takeOffer;
        QStringList offers; // the way on the message offers
        std::size_t asked;  // questions for a PDF file
    };
    const Case cases[] = {
        {"no default printer, closed", false, PrintError::Reason::NoDefaultPrinter, false, {"保存为 PDF…"}, 0},
        {"no default printer, saved as PDF", false, PrintError::Reason::NoDefaultPrinter, true, {"保存为 PDF…"}, 1},
        {"the printer fails", false, PrintError::Reason::PrinterFailed, true, {}, 0},
        {"the preview without a default printer", true, PrintError::Reason::NoDefaultPrinter, true, {}, 0},
        {"the preview's printer fails", true, PrintError::Reason::PrinterFailed, true, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Report report(computed({worked})); // the PDF's dialog cancelled
        report.messages.takeOffers = c.takeOffer;
        report.printer.failure = c.reason;
        report.preview.failure = c.reason;
        if (c.preview)
            report.commands.preview();
        else
            report.commands.print();
        EXPECT_EQ(report.messages.messages, QStringList{failure(c.reason)});
        EXPECT_EQ(report.messages.offers, c.offers);
        EXPECT_EQ(report.files.asked.size(), c.asked);
        EXPECT_EQ(report.notices, QStringList());
    }
    EXPECT_TRUE(failure(PrintError::Reason::NoDefaultPrinter).startsWith("没有默认打印机"));
    EXPECT_TRUE(failure(PrintError::Reason::PrinterFailed).startsWith("打印失败"));
}

// A report that left says where: the printer by the name it gave, the file
// by its name alone, ".pdf" added as the file has it. One that did not
// leave says nothing.
TEST(ReportCommands, SaysWhereEachReportWent)
{
    QTemporaryDir folder;
    const struct {
        const char* name;
        std::function<void(Report&)> send;
        std::optional<QString> pdf; // the name the dialog takes
        QStringList notices;
    } cases[] = {
        {"printed", [](Report& r) { r.commands.print(); }, std::nullopt, {"报告已送往打印机“测区打印机”"}},
        {"saved under a name with a dot of its own", [](Report& r) { r.commands.saveAsPdf(); },
         folder.filePath("测区 12.3"), {"报告已保存为 PDF：测区 12.3.pdf"}},
        {"saved under a name in capitals", [](Report& r) { r.commands.saveAsPdf(); }, folder.filePath("测区.PDF"),
         {"报告已保存为 PDF：测区.PDF"}},
        {"the file's dialog cancelled", [](Report& r) { r.commands.saveAsPdf(); }, std::nullopt, {}},
        {"previewed", [](Report& r) { r.commands.preview(); }, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Report report(computed({worked}), c.pdf);
        c.send(report);
        EXPECT_EQ(report.notices, c.notices);
        EXPECT_EQ(report.messages.messages, QStringList());
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"测区 12.3.pdf", "测区.PDF"}));
}

// 报告附网图与检核页 is kept in the settings at once, and each report that
// leaves takes the page of the figure while it is checked, and only then.
TEST(ReportCommands, ThePageOfTheFigureFollowsEveryReportWhileItIsChecked)
{
    Report report(computed({worked}));
    EXPECT_FALSE(report.commands.figurePageWanted()) << "off on a first start";
    for (const bool wanted : {true, false, true}) {
        SCOPED_TRACE(wanted ? "checked" : "not checked");
        report.commands.setFigurePageWanted(wanted);
        EXPECT_EQ(report.settings.figurePage, wanted);
        EXPECT_EQ(report.commands.figurePageWanted(), wanted);
        report.commands.print();
        report.commands.preview();
        EXPECT_EQ(report.printer.withFigurePage.back(), wanted);
        EXPECT_EQ(report.preview.withFigurePage.back(), wanted);
    }
}

// The proposed file is named after the date and time to the second, in ASCII
// digits whatever the locale, in the documents folder or else the home folder.
TEST(ReportCommands, ProposesAPdfNamedAfterTheDateAndTime)
{
    const QDateTime now(QDate(2024, 11, 28), QTime(13, 47, 59));
    const QByteArray home = qgetenv("HOME");
    QTemporaryDir otherHome;
    qputenv("HOME", QFile::encodeName(otherHome.path()));
    EXPECT_EQ(proposedPdfPath(now), otherHome.path() + "/Korvane-20241128-134759.pdf");
    QDir(otherHome.path()).mkdir("Documents");
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    EXPECT_EQ(proposedPdfPath(now), otherHome.path() + "/Documents/Korvane-20241128-134759.pdf");
    QLocale::setDefault(QLocale::c());
    qputenv("HOME", home);
}

} // namespace
} // namespace korvane
