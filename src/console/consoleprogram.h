#pragma once

#include <cstdio>

#include <QString>

#include "platform/sessionchoice.h"

struct CommandLineRequest;

// What a command-line program says before it ends, in the same words for
// both programs.
void printLine(FILE* stream, const QString& text);

// Answers a command line that asks for no work: its help, the version or
// why the usage is bad ("PROGRAM: WHY" and where to find help). Returns the
// exit status.
int answerRequest(const char* program, const CommandLineRequest& request);

// The desktop session of a command-line program. Made before the
// application object, so that without a reachable X display Qt starts on the
// offscreen platform instead of aborting, and the program can say what is
// missing.
class ConsoleSession {
public:
    ConsoleSession();

    // Once the application object exists: names the program, and ends it
    // when the desktop closes.
    void start(const char* program, const char* version) const;
    // Why this session cannot synthesise or record input, or empty where
    // nothing more is known; to follow a sentence, after a space.
    QString whyNoInput() const;

private:
    SessionKind kind = SessionKind::X11;
};
