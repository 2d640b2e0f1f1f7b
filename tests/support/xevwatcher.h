#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

// xev in a focused window of its own: an independent X client that counts
// the key presses it receives, to show whether keys reached other clients.
class XevWatcher {
public:
    ~XevWatcher() {
        process.kill();
        process.waitForFinished();
    }

    bool start() {
        process.start(QStringLiteral("stdbuf"), {"-oL", "xev", "-event", "keyboard"});
        if (!process.waitForStarted())
            return false;
        const QRegularExpression outer(QStringLiteral("Outer window is (0x[0-9a-f]+)"));
        QRegularExpressionMatch match;
        for (int attempt = 0; attempt < 50 && !match.hasMatch(); ++attempt) {
            process.waitForReadyRead(100);
            output += QString::fromLocal8Bit(process.readAllStandardOutput());
            match = outer.match(output);
        }
        return match.hasMatch() && xdotool({"windowfocus", "--sync", match.captured(1)});
    }

    int keyPresses() {
        output += QString::fromLocal8Bit(process.readAllStandardOutput());
        return int(output.count(QStringLiteral("KeyPress event")));
    }

    static bool xdotool(const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    }

private:
    QProcess process;
    QString output;
};
