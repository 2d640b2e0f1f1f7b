#pragma once

#include <QString>
#include <QStringList>

// What the window program was asked to do on its command line.
struct WindowCommandLine {
    bool usable = true;
    // The project to open, absolute; empty for none.
    QString file;
    // What was wrong when not usable.
    QString message;

    // Reads the arguments Qt left once the application object took its own.
    static WindowCommandLine parse(const QStringList& arguments);
};

// Prints the help or the version and ends the program when either was asked
// for. It runs before the application object exists, so it answers without a
// display.
void answerHelpOrVersion(int argc, char* argv[]);

// The exit statuses of the window program.
enum WindowExitStatus { WindowClosed = 0, WindowCannotStart = 1, WindowBadUsage = 2 };
