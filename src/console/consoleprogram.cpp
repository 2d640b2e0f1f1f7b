#include "console/consoleprogram.h"

#include <cstdio>

#include "console/consoleoutput.h"
#include "console/exitstatus.h"

void printLine(FILE* stream, const QString& text) {
    writeText(stream, text + u'\n');
}

int reportBadUsage(const char* program, const QString& why) {
    const QString name = QString::fromLatin1(program);
    printLine(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.").arg(name, why));
    return exitstatus::BadUsage;
}
