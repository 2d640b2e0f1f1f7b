#pragma once

#include <QString>
#include <QStringList>

#include "console/commandlinerequest.h"

// What kestrun-play was asked to do; its work is to play `file`.
struct PlayCommandLine : CommandLineRequest {
    int runs = 1;
    // --repeat: until stopped. Any number of --runs is counted, 114514 too.
    bool repeat = false;
    int startDelay = 0;
    QString exitCommand = QStringLiteral("83,3"); // "なし" for none
    bool verbose = false;
    // Wait for another run on the desktop to end rather than refuse.
    bool wait = false;
    QString file;

    static PlayCommandLine parse(const QStringList& arguments);
};
