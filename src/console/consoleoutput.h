#pragma once

#include <cstdio>

class QString;

// Writes text to the player's standard output or error so that every
// character arrives: UTF-8 into files and pipes, and on Windows UTF-16
// straight into a console, whose code page might not hold the character.
void writeText(FILE* stream, const QString& text);
