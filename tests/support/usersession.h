#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

// Runs an X tool ("xdotool", "setxkbmap") with its arguments; true when it
// succeeded.
using XToolRunner = std::function<bool(const QString& tool, const QStringList& arguments)>;

// The session the record round trips play as the user, through xdotool on a
// window over (100,100)-(500,400): a click, a drag, "Hello, World 123" typed
// under the us layout and "Grüße" under de, Ctrl+A, a pause of 1 s, a right
// click, then the stop command Ctrl+Alt+S. The layout is left at de.
inline bool playUserSession(const XToolRunner& run) {
    const auto at = [](QPoint point) {
        return QStringList{"mousemove", QString::number(point.x()), QString::number(point.y()),
                           "sleep", "0.1"};
    };
    const auto press = [&](const QString& button, QPoint down, QPoint up) {
        QStringList steps = at(down) + QStringList{"mousedown", button, "sleep", "0.1"};
        if (up != down)
            steps += at(up);
        return run("xdotool", steps + QStringList{"mouseup", button, "sleep", "0.3"});
    };
    // Text and keys take the rest of the command line: no step follows them.
    const auto pause = [&](const char* seconds) { return run("xdotool", {"sleep", seconds}); };
    return press("1", {150, 150}, {150, 150}) && press("1", {200, 150}, {300, 200}) &&
           run("xdotool", {"type", "--delay", "80", "Hello, World 123"}) && pause("0.7") &&
           run("setxkbmap", {"de"}) && pause("0.3") &&
           run("xdotool", {"type", "--delay", "80", "Grüße"}) && pause("0.7") &&
           run("xdotool", {"key", "ctrl+a"}) && pause("1") && press("3", {250, 250}, {250, 250}) &&
           run("xdotool", {"key", "ctrl+alt+s"});
}
