#include "command_line.h"

#include "qt_chinese.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace korvane {

namespace {

struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
};

// The help and version options in Qt's own words, from the translator in
// place when they are added. (Qt's own help option would also offer the
// options of Qt, which a surveyor has no use for.)
Options addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Korvane：测边菱形网按固定角条件平差（已知点 A、C，观测边 S1、S2、S4、S5、S6），"
        "求待定点 B、D 的坐标及其精度。不带选项时打开计算窗口。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QCoreApplication::translate("QCommandLineParser",
                                                              "Displays help on commandline options."));
    parser.addOption(help);
    return {help, parser.addVersionOption()};
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool asksForAnAnswer(const QCommandLineParser& parser, const Options& options)
{
    return parser.isSet(options.help) || parser.isSet(options.version) || !parser.positionalArguments().isEmpty();
}

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> answerCommandLine(int& argc, char** argv, QtOptions qtOptions)
{
    {
        QCommandLineParser parser;
        const Options options = addOptions(parser);
        const bool parsed = parser.parse(argumentsOf(argc, argv));
        if (parsed ? !asksForAnAnswer(parser, options) : qtOptions == QtOptions::NotYetTaken)
            return std::nullopt;
    }

    // The answer is in Chinese: the translator needs an application, and a
    // plain one needs no display.
    std::optional<QCoreApplication> ownApplication;
    if (!QCoreApplication::instance())
        ownApplication.emplace(argc, argv);
    const QtChineseWords words;
    QCommandLineParser parser;
    const Options options = addOptions(parser);
    if (!parser.parse(argumentsOf(argc, argv))) {
        write(stderr, QStringLiteral("korvane：%1\n").arg(parser.errorText()));
        return EXIT_FAILURE;
    }
    if (!parser.positionalArguments().isEmpty()) {
        write(stderr, QStringLiteral("korvane：不需要参数“%1”。\n").arg(parser.positionalArguments().join(' ')));
        return EXIT_FAILURE;
    }
    if (parser.isSet(options.version)) {
        write(stdout, QStringLiteral("Korvane " KORVANE_VERSION "\n"));
        return EXIT_SUCCESS;
    }
    write(stdout, parser.helpText());
    return EXIT_SUCCESS;
}

} // namespace korvane
