#include "app/windowcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;

    Parser() : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        // Qt's own options such as -platform are single-dash words, so the
        // help option must not hide among their letters.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral(
            "Builds automation projects page by page and replays them against the desktop.\n"
            "When a Kestrun window already runs, FILE is opened there and this start ends.\n"
            "kestrun-play replays a project without the window.\n"
            "\n"
            "Exit status:\n"
            "  0  the window was closed, or the running window took the request\n"
            "  1  the window cannot start: no display, or the running window does not answer\n"
            "  2  bad usage\n"
            "  6  the desktop closed: its X server went away"));
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("A project file (.cmdat) to open."),
                                     QStringLiteral("[FILE]"));
    }
};

} // namespace

WindowCommandLine WindowCommandLine::parse(const QStringList& arguments) {
    Parser parser;
    WindowCommandLine line;
    if (!parser.parser.parse(arguments)) {
        line.usable = false;
        line.message = parser.parser.errorText();
        return line;
    }
    const QStringList files = parser.parser.positionalArguments();
    if (files.size() > 1) {
        line.usable = false;
        line.message = QStringLiteral("Name at most one project file.");
        return line;
    }
    if (!files.isEmpty())
        line.file = QFileInfo(files.constFirst()).absoluteFilePath();
    return line;
}

void answerHelpOrVersion(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    Parser parser;
    parser.parser.parse(arguments);
    const bool help =
        parser.parser.isSet(parser.help) || parser.parser.isSet(QStringLiteral("help-all"));
    if (!help && !parser.parser.isSet(parser.version))
        return;
    // Qt's help text names the program from the application object; one
    // without a display is enough, named plainly rather than by its path.
    char name[] = "kestrun";
    char* coreArguments[] = {name, nullptr};
    int coreCount = 1;
    QCoreApplication core(coreCount, coreArguments);
    QCoreApplication::setApplicationName(QStringLiteral("kestrun"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRUN_VERSION));
    if (help)
        parser.parser.showHelp(WindowClosed);
    parser.parser.showVersion();
}
