#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "model/project.h"

// Runs kestrun-play on projects written to a temporary folder.
struct PlayProcess {
    QTemporaryDir folder;
    QProcess process;

    QString writeProject(const PageList& commands, const PageList& conditions) {
        const QString path = folder.filePath(QStringLiteral("play.cmdat"));
        const WriteResult written = writeProjectFile(path, {commands, conditions});
        if (!written.ok)
            qWarning() << written.error.text;
        return path;
    }

    void start(const QStringList& arguments) {
        process.setProgram(QStringLiteral(KESTRUN_PLAY));
        process.setArguments(arguments);
        process.start();
        process.waitForStarted();
    }

    // Exit status, or -1 when it did not end in time or crashed.
    int finish(int milliseconds = 10000) {
        // A player that ended while the test's event loop ran (an xdotool
        // call, say) is finished already, and waitForFinished says false.
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(milliseconds)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int play(const QStringList& arguments) {
        start(arguments);
        return finish();
    }

    QString standardError() { return QString::fromUtf8(process.readAllStandardError()); }
    QString standardOutput() { return QString::fromUtf8(process.readAllStandardOutput()); }
};
