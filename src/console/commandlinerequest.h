#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// What a command line asks of its program before any work: each program's
// command line is one of these with its own options beside.
struct CommandLineRequest {
    enum class Action { Work, ShowHelp, ShowVersion, BadUsage };

    Action action = Action::BadUsage;
    // The help text, or for BadUsage what was wrong.
    QString message;
};

// A command line of type Line refused for `why`.
template <typename Line> Line refusedCommandLine(const QString& why) {
    Line line;
    line.action = CommandLineRequest::Action::BadUsage;
    line.message = why;
    return line;
}

// Parses `arguments` with the options `parser` holds, adding --help and
// --version. True when they ask for work, and the program reads its options;
// otherwise `request` holds the answer: the help followed by
// `exitStatusHelp`, the version, or why the usage is bad.
bool parseForWork(QCommandLineParser& parser, const QStringList& arguments,
                  const QString& exitStatusHelp, CommandLineRequest* request);
