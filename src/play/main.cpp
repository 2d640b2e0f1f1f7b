#include <cstdio>

#include <QApplication>

#include "model/project.h"
#include "platform/inputguard.h"
#include "platform/platform.h"
#include "platform/sessionchoice.h"
#include "play/consoleoutput.h"
#include "play/pagedescription.h"
#include "play/playcommandline.h"
#include "play/stopsignals.h"
#include "run/run.h"

namespace {

enum ExitStatus { Ended = 0, FileUnreadable = 1, BadUsage = 2, NoInput = 3, Stopped = 4 };

void printLine(FILE* stream, const QString& text) {
    writeText(stream, text + u'\n');
}

QString passText(qint64 pass, int runs) {
    return runs == Run::repeatUntilStopped ? QString::number(pass)
                                           : QStringLiteral("%1/%2").arg(pass).arg(runs);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before QApplication starts any thread.
    startInputGuard();
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a reachable X display Qt would abort before a word could be
    // said; the offscreen platform lets the player explain what is missing.
    const SessionKind session = applySessionChoice(SessionProgram::Player);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrun-play"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRUN_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    const PlayCommandLine line = PlayCommandLine::parse(QApplication::arguments());
    switch (line.action) {
    case PlayCommandLine::Action::ShowHelp:
        writeText(stdout, line.message);
        return Ended;
    case PlayCommandLine::Action::ShowVersion:
        printLine(stdout, QStringLiteral("kestrun-play " KESTRUN_VERSION));
        return Ended;
    case PlayCommandLine::Action::BadUsage:
        printLine(stderr,
                  QStringLiteral("kestrun-play: %1\nTry 'kestrun-play --help'.").arg(line.message));
        return BadUsage;
    case PlayCommandLine::Action::Play:
        break;
    }

    const ReadResult read = readProjectFile(line.file);
    if (!read.ok) {
        printLine(stderr, read.error.title + QStringLiteral(": ") + read.error.shownText(false));
        return FileUnreadable;
    }
    const Project& project = read.project;

    InputBackend& input = Platform::instance().input();
    if (!input.canSynthesize()) {
        QString reason;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        reason = u' ' + noInputReason(session, QGuiApplication::platformName(), false);
#endif
        printLine(stderr,
                  QStringLiteral("kestrun-play: this session cannot synthesise input.") + reason);
        return NoInput;
    }

    Run run(input, Platform::instance().createInputEventSource());
    run.setParameters(line.startDelay, line.runs, line.exitCommand, project.list_command,
                      project.list_condition, projectName(line.file, desktopFolderPath()));
    if (line.verbose) {
        run.setPageObserver([&project, runs = line.runs](qint64 pass, int page) {
            const int index = page - 1;
            const QStringList condition = index < project.list_condition.size()
                                              ? project.list_condition[index]
                                              : QStringList{keyword::Immediately};
            printLine(stdout, QStringLiteral("pass %1, page %2/%3: %4; %5")
                                  .arg(passText(pass, runs))
                                  .arg(page)
                                  .arg(project.list_command.size())
                                  .arg(describeCommand(project.list_command[index]),
                                       describeCondition(condition)));
        });
    }
    const StopSignals stopSignals([&run] { run.requestStop(); });
    QObject::connect(&run, &Run::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    QApplication::exec();
    return run.wasStopped() ? Stopped : Ended;
}
