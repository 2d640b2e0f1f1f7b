#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs an X tool of the Linux host (xdotool, setxkbmap) from inside Wine and
// waits for it: Wine starts Unix programs but cannot wait for them, so the
// tool runs under sh, which leaves its output and exit status in files.
// Returns the output; `ok` (if given) tells whether the tool exited with 0.
QByteArray runX11Tool(const QString& program, const QStringList& arguments, bool* ok = nullptr);

// xdotool with the arguments; true when it exited with 0.
bool xdotool(const QStringList& arguments);
