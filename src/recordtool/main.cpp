#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "console/consoleprogram.h"
#include "console/exitstatus.h"
#include "console/stopsignals.h"
#include "keys/keycombination.h"
#include "model/project.h"
#include "platform/platform.h"
#include "record/recordedpages.h"
#include "record/recordingsession.h"
#include "recordtool/recordcommandline.h"

using namespace exitstatus;

namespace {

// Refused before anything is recorded, so no recording is lost to it.
QString whyNotWritable(const QString& path, bool force) {
    const QFileInfo file(path);
    if (file.exists() && !force)
        return QStringLiteral("%1 exists; --force replaces it.").arg(path);
    if (file.exists() && !file.isFile())
        return QStringLiteral("%1 is not a regular file.").arg(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return QStringLiteral("cannot write into %1.").arg(folder.absoluteFilePath());
    return {};
}

Project projectOf(const RecordedPages& pages) {
    if (pages.commands.isEmpty())
        return Project::blank();
    return {pages.commands, pages.conditions};
}

} // namespace

int main(int argc, char* argv[]) {
    const ConsoleSession session;
    QApplication app(argc, argv);
    session.start("kestrun-record", KESTRUN_VERSION);

    const RecordCommandLine line = RecordCommandLine::parse(QApplication::arguments());
    if (line.action != RecordCommandLine::Action::Work)
        return answerRequest("kestrun-record", line);

    if (const QString why = whyNotWritable(line.file, line.force); !why.isEmpty()) {
        printLine(stderr, QStringLiteral("kestrun-record: ") + why);
        return FileTrouble;
    }
    std::unique_ptr<InputRecording> recording = Platform::instance().createInputRecording();
    if (!recording) {
        printLine(stderr, QStringLiteral("kestrun-record: this session cannot record input.") +
                              session.whyNoInput());
        return NoInput;
    }

    int status = Ended;
    RecordingSession recorder(std::move(recording), Platform::instance().windowList(),
                              line.options.stopCommand);
    QObject::connect(&recorder, &RecordingSession::stopCommandPressed, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(
        &recorder, &RecordingSession::failed, &app,
        [&status] {
            printLine(stderr, QStringLiteral("kestrun-record: this desktop cannot be recorded."));
            status = NoInput;
            QCoreApplication::quit();
        },
        Qt::QueuedConnection);
    const StopSignals stopSignals([&app, &status] {
        QMetaObject::invokeMethod(
            &app,
            [&status] {
                if (status == Ended)
                    status = Stopped;
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
    QTimer::singleShot(line.options.delaySeconds * 1000, &app, [&recorder, &line] {
        recorder.start();
        printLine(stdout, QStringLiteral("recording; stop with %1")
                              .arg(keyCombinationLabel(line.options.stopCommand)));
    });
    QApplication::exec();
    recorder.stop();
    if (status == NoInput)
        return status;

    const RecordedPages pages =
        pagesFromRecording(recorder.events(), recorder.endMs(), line.options);
    const WriteResult written = writeProjectFile(line.file, projectOf(pages));
    if (!written.ok) {
        printLine(stderr,
                  written.error.title + QStringLiteral(": ") + written.error.shownText(false));
        return FileTrouble;
    }
    printLine(stdout,
              QStringLiteral("%1 pages written to %2").arg(pages.commands.size()).arg(line.file));
    return status;
}
