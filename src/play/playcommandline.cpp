#include "play/playcommandline.h"

#include <QCommandLineParser>

#include "console/commandlinevalues.h"
#include "run/run.h"

namespace {

constexpr auto badUsage = &refusedCommandLine<PlayCommandLine>;

const QString exitStatusHelp =
    QStringLiteral("\nExit status:\n"
                   "  0  the run ended after its passes\n"
                   "  1  the file could not be read\n"
                   "  2  bad usage\n"
                   "  3  this session cannot synthesise input\n"
                   "  4  the run was stopped\n"
                   "  5  another run is going on on this desktop (see --wait)\n"
                   "  6  the desktop closed: its X server went away\n");

} // namespace

PlayCommandLine PlayCommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Replays a Kestrun project (.cmdat) against the desktop."));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Number of passes over the pages "
                                                       "(default 1; 0 makes none)."),
                                        QStringLiteral("N"));
    const QCommandLineOption repeatOption(QStringLiteral("repeat"),
                                          QStringLiteral("Repeat until stopped."));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
                                         QStringLiteral("Whole seconds to wait before the "
                                                        "first pass (default 0)."),
                                         QStringLiteral("SECONDS"));
    const QCommandLineOption exitOption(
        QStringLiteral("exit"),
        QStringLiteral("Exit command as key text \"vk,mask\" (default 83,3, Ctrl+Alt+S), "
                       "or none."),
        QStringLiteral("KEYTEXT"));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Print each page as it starts."));
    const QCommandLineOption waitOption(
        QStringLiteral("wait"),
        QStringLiteral("When another run is going on on this desktop, wait for it to end "
                       "instead of ending at once with status 5."));
    parser.addOptions(
        {runsOption, repeatOption, delayOption, exitOption, verboseOption, waitOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The project to play."));
    PlayCommandLine line;
    if (!parseForWork(parser, arguments, exitStatusHelp, &line))
        return line;

    if (parser.isSet(runsOption) && parser.isSet(repeatOption))
        return badUsage(QStringLiteral("--runs and --repeat exclude each other."));
    if (parser.isSet(runsOption)) {
        line.runs = naturalNumber(parser.value(runsOption));
        if (line.runs < 0)
            return badUsage(QStringLiteral("--runs needs a whole number of at least 0."));
    }
    line.repeat = parser.isSet(repeatOption);
    if (line.repeat)
        line.runs = Run::repeatUntilStopped;
    if (parser.isSet(delayOption)) {
        line.startDelay = naturalNumber(parser.value(delayOption));
        if (line.startDelay < 0)
            return badUsage(QStringLiteral("--delay needs a whole number of seconds."));
    }
    if (parser.isSet(exitOption)) {
        const std::optional<QString> command = exitCommandFromText(parser.value(exitOption), true);
        if (!command)
            return badUsage(QStringLiteral("--exit needs key text such as 83,3, or none."));
        line.exitCommand = *command;
    }
    line.verbose = parser.isSet(verboseOption);
    line.wait = parser.isSet(waitOption);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return badUsage(QStringLiteral("Name exactly one project file."));
    line.file = files.first();
    line.action = Action::Work;
    return line;
}
