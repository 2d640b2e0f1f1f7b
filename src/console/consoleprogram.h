#pragma once

#include <cstdio>

#include <QString>

// What a command-line program says before it ends, in the same words for
// both programs.
void printLine(FILE* stream, const QString& text);
// "PROGRAM: WHY" and where to find help; returns exitstatus::BadUsage.
int reportBadUsage(const char* program, const QString& why);
