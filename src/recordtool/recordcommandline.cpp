#include "recordtool/recordcommandline.h"

#include <QCommandLineParser>

#include "console/commandlinevalues.h"

namespace {

constexpr auto badUsage = &refusedCommandLine<RecordCommandLine>;

const QString exitStatusHelp =
    QStringLiteral("\nExit status:\n"
                   "  0  the stop command ended the recording, which was saved\n"
                   "  1  the file exists (see --force) or could not be written\n"
                   "  2  bad usage\n"
                   "  3  this session cannot record input\n"
                   "  4  a signal (Ctrl+C, SIGTERM, SIGHUP, SIGQUIT) ended the recording, "
                   "which was saved\n"
                   "  6  the desktop closed: its X server went away\n");

} // namespace

RecordCommandLine RecordCommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Records the keys, clicks and typing on the desktop into a Kestrun "
                       "project (.cmdat) until the stop command."));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"),
        QStringLiteral("Whole seconds to wait before recording starts (default 3)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption exitOption(
        QStringLiteral("exit"),
        QStringLiteral("Stop command as key text \"vk,mask\" (default 83,3, Ctrl+Alt+S); it is "
                       "never recorded."),
        QStringLiteral("KEYTEXT"));
    const QCommandLineOption gapsOption(
        QStringLiteral("gaps"),
        QStringLiteral("Pauses between actions: keep (default; those under 0.05 s are joined), "
                       "cap:N (none longer than N seconds) or over (each action waits until the "
                       "one before it is over)."),
        QStringLiteral("RULE"));
    const QCommandLineOption movesOption(
        QStringLiteral("moves"),
        QStringLiteral("Record pointer moves: a pointer that rests over 0.3 s ends a smooth "
                       "move."));
    const QCommandLineOption forceOption(QStringLiteral("force"),
                                         QStringLiteral("Replace FILE if it exists."));
    parser.addOptions({delayOption, exitOption, gapsOption, movesOption, forceOption});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The project to write (.cmdat)."));
    RecordCommandLine line;
    if (!parseForWork(parser, arguments, exitStatusHelp, &line))
        return line;
    if (parser.isSet(delayOption)) {
        line.options.delaySeconds = naturalNumber(parser.value(delayOption));
        if (line.options.delaySeconds < 0)
            return badUsage(QStringLiteral("--delay needs a whole number of seconds."));
    }
    if (parser.isSet(exitOption)) {
        const std::optional<QString> command = exitCommandFromText(parser.value(exitOption), false);
        if (!command)
            return badUsage(QStringLiteral("--exit needs key text such as 83,3."));
        line.options.stopCommand = *command;
    }
    if (parser.isSet(gapsOption) && !line.options.readGaps(parser.value(gapsOption)))
        return badUsage(QStringLiteral("--gaps needs keep, over or cap:N with N above 0."));
    line.options.pointerMoves = parser.isSet(movesOption);
    line.force = parser.isSet(forceOption);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return badUsage(QStringLiteral("Name exactly one project file."));
    line.file = files.first();
    line.action = Action::Work;
    return line;
}
