#pragma once

#include <QString>

// Texts the editor derives from the project, beside the type names of the
// interface texts.

// The operation's name in the page bar: its type name, but "key" in English;
// an unknown keyword is shown as it is.
QString pageBarName(const QString& keyword, bool japanese);
// Prompt shown in the key label while a key capture waits.
QString keyCapturePrompt(bool japanese);
