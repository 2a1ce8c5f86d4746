// The real korvane, started as a process: a compute through its own dialogs,
// Qt's own words in simplified Chinese, the guide under F1, the end button;
// and the command line that needs no display.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct Finished {
    QProcess::ExitStatus status;
    int exitCode;
    QString out;
    QString err;
};

// The caller's environment without a display of any kind, and with a
// desktop in English.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(name);
    environment.insert("LANG", "en_US.UTF-8");
    return environment;
}

Finished korvane(const QStringList& arguments, const QProcessEnvironment& environment,
                 const QString& workingFolder = {})
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(workingFolder);
    program.start(KORVANE_PROGRAM, arguments);
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        ADD_FAILURE() << "korvane did not end";
    }
    return {program.exitStatus(), program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(Program, ComputesThroughItsDialogsSpeaksQtsWordsInSimplifiedChineseAndEndsWithItsEndButton)
{
    QTemporaryDir settings;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", settings.path());
    // the probe (program_probe.cpp), which Qt loads as the program's style
    environment.insert("QT_PLUGIN_PATH", KORVANE_PROBE_PLUGINS);
    environment.insert("QT_STYLE_OVERRIDE", "korvaneprobe");

    const Finished run = korvane({}, environment);
    EXPECT_EQ(run.status, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList told = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(told.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(told.first(), "window: Korvane");
    EXPECT_EQ(told.filter(QRegularExpression("^prompt: ")).size(), 18);
    // 500 m sides on a base of 600 m are consistent: no misclosure
    for (const char* field : {"Text7:  600.0000", "Text17: 0.00秒", "Text12: 1400.000", "Text15: 600.000",
                              "Text16: 1300.000"})
        EXPECT_TRUE(told.contains(QString::fromUtf8(field))) << field << " in " << run.out.toStdString();
    // simplified, where traditional Chinese has 複製 and 全部選擇 (the
    // fields are read-only: nothing to paste)
    for (const char* word : {"menu: 复制(&C)", "menu: 全选"})
        EXPECT_TRUE(told.contains(QString::fromUtf8(word))) << word << " in " << run.out.toStdString();
    // F1 finds the guide beside the program built here, as installed
    EXPECT_TRUE(told.contains("guide: 使用说明: Korvane 使用说明")) << run.out.toStdString();
    EXPECT_EQ(told.last(), "click: 结束计算");
}

TEST(Program, CommandLineAnswersWithoutAWindow)
{
    QProcessEnvironment offscreen = withoutDisplay();
    offscreen.insert("QT_QPA_PLATFORM", "offscreen");
    const struct {
        const char* name;
        QStringList arguments;
        QProcessEnvironment environment;
        int exitCode;
        QString out; // the start of standard output; nothing: it stays empty
        QString err; // in standard error
        // started in a folder whose files are named as the libraries it loads
        bool amongLookalikeLibraries = false;
    } cases[] = {
        {"version without a display", {"--version"}, withoutDisplay(), 0, "korvane " KORVANE_VERSION "\n", ""},
        {"help without a display", {"--help"}, withoutDisplay(), 0, "用法：", ""},
        // once Qt has taken its own options, what is left is a mistake
        {"a mistyped option", {"-platform", "offscreen", "--verison"}, withoutDisplay(), 2, "",
         "不认识的选项：verison"},
        {"an argument", {"field.csv"}, offscreen, 2, "", "多余的参数：field.csv"},
        {"the libraries of the system, not of the current folder", {"--version"}, withoutDisplay(), 0,
         "korvane " KORVANE_VERSION "\n", "", true},
    };
    QTemporaryDir lookalikes;
    for (const char* name : {"libQt6Core.so.6", "libstdc++.so.6", "libc.so.6"}) {
        QFile file(lookalikes.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a library") > 0);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Finished run = korvane(c.arguments, c.environment, c.amongLookalikeLibraries ? lookalikes.path() : QString());
        EXPECT_EQ(run.status, QProcess::NormalExit);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(c.out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(c.out)) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    }
}

} // namespace
