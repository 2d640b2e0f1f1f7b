#pragma once

#include <QString>
#include <QStringList>

// The folders shipped with the program ("image", "licenses") lie beside its
// executable, wherever it was started from and through whatever link; a copy
// in the working folder is the fallback for a program built without them.

// `relativePath` (such as "image/danger.png") in the first of `folders` that
// holds it; in the first folder when none does, so a missing file is still
// named where it belongs.
QString findProgramFile(const QString& relativePath, const QStringList& folders);

// `relativePath` beside the executable, else in the working folder.
QString programFile(const QString& relativePath);
