#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>

#include <QApplication>

#include "console/consoleprogram.h"
#include "console/exitstatus.h"
#include "console/stopsignals.h"
#include "model/project.h"
#include "model/unknownpages.h"
#include "platform/inputguard.h"
#include "platform/platform.h"
#include "play/pagedescription.h"
#include "play/playcommandline.h"
#include "run/run.h"
#include "run/stopsignal.h"

namespace {

using namespace exitstatus;

QString passText(qint64 pass, const PlayCommandLine& line) {
    return line.repeat ? QString::number(pass) : QStringLiteral("%1/%2").arg(pass).arg(line.runs);
}

// Polls, since the lock's owner may end in any way, a crash included;
// false when a stop signal came first.
bool waitForRunLock(RunLock& lock, const StopSignal& interrupted) {
    while (!lock.tryAcquire())
        if (interrupted.sleepFor(std::chrono::milliseconds(100)))
            return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // Before QApplication starts any thread.
    startInputGuard();
    const ConsoleSession session;
    QApplication app(argc, argv);
    session.start("kestrun-play", KESTRUN_VERSION);

    const PlayCommandLine line = PlayCommandLine::parse(QApplication::arguments());
    if (line.action != PlayCommandLine::Action::Work)
        return answerRequest("kestrun-play", line);

    const ReadResult read = readProjectFile(line.file);
    if (!read.ok) {
        printLine(stderr, read.error.title + QStringLiteral(": ") + read.error.shownText(false));
        return FileTrouble;
    }
    const Project& project = read.project;
    for (const UnknownPageType& unknown : unknownPageTypes(project))
        printLine(stderr, QStringLiteral("kestrun-play: warning: ") + unknown.warning());

    InputBackend& input = Platform::instance().input();
    if (!input.canSynthesize()) {
        printLine(stderr, QStringLiteral("kestrun-play: this session cannot synthesise input.") +
                              session.whyNoInput());
        return NoInput;
    }

    // A stop signal during the wait ends the player; once the run exists it
    // stops the run.
    StopSignal interrupted;
    std::atomic<Run*> activeRun{nullptr};
    std::unique_ptr<RunLock> runLock = Platform::instance().createRunLock();
    std::unique_ptr<Run> run;
    const StopSignals stopSignals([&interrupted, &activeRun] {
        interrupted.raise();
        if (Run* active = activeRun.load())
            active->requestStop();
    });
    if (!runLock->tryAcquire()) {
        if (!line.wait) {
            printLine(stderr, QStringLiteral("kestrun-play: このデスクトップでは別の実行が進行中"
                                             "です。--wait を付けると終わるのを待ちます。\n"
                                             "Another run is going on on this desktop; --wait "
                                             "waits for it to end."));
            return AnotherRun;
        }
        if (line.verbose)
            printLine(stdout, QStringLiteral("waiting for the other run on this desktop to end"));
        if (!waitForRunLock(*runLock, interrupted))
            return Stopped;
    }

    run = std::make_unique<Run>(input, Platform::instance().createInputEventSource());
    run->setParameters(line.startDelay, line.runs, line.exitCommand, project.list_command,
                       project.list_condition, projectName(line.file, desktopFolderPath()));
    run->setRepeatUntilStopped(line.repeat);
    if (line.verbose) {
        run->setPageObserver([&project, &line](qint64 pass, int page) {
            const int index = page - 1;
            const QStringList condition = index < project.list_condition.size()
                                              ? project.list_condition[index]
                                              : QStringList{keyword::Immediately};
            printLine(stdout, QStringLiteral("pass %1, page %2/%3: %4; %5")
                                  .arg(passText(pass, line))
                                  .arg(page)
                                  .arg(project.list_command.size())
                                  .arg(describeCommand(project.list_command[index]),
                                       describeCondition(condition)));
        });
    }
    activeRun.store(run.get());
    // A signal that came while the run was being made saw no run to stop.
    if (interrupted.isRaised())
        run->requestStop();
    QObject::connect(run.get(), &Run::finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    run->start();
    QApplication::exec();
    return run->wasStopped() ? Stopped : Ended;
}
