#pragma once

#include <QString>
#include <QStringList>

// What kestrun-play was asked to do.
struct PlayCommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, BadUsage };

    Action action = Action::BadUsage;
    int runs = 1;
    // --repeat: until stopped. Any number of --runs is counted, 114514 too.
    bool repeat = false;
    int startDelay = 0;
    QString exitCommand = QStringLiteral("83,3"); // "なし" for none
    bool verbose = false;
    // Wait for another run on the desktop to end rather than refuse.
    bool wait = false;
    QString file;
    // The help text, or for BadUsage what was wrong.
    QString message;

    static PlayCommandLine parse(const QStringList& arguments);
};
