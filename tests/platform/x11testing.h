#pragma once

#include <QString>
#include <chrono>
#include <vector>

#include "platform/inputbackend.h"

#include <X11/Xlib.h>

// Types the text with the run's own typing operation, one code unit every
// `interval` (as fast as it goes when zero).
void typeText(InputBackend& input, const QString& text, std::chrono::microseconds interval);

// The test's own view of the server, independent of the backend's connection.
class ServerView {
public:
    ServerView();
    ~ServerView();
    Display* display() const { return connection; }

    // Every keycode's keysyms as the core protocol lists them.
    std::vector<KeySym> keyboardMapping() const;
    // Keycodes the server reports down.
    std::vector<int> keysDown() const;
    bool autoRepeats(int keycode) const;
    // Whether the server has a mouse button down.
    bool anyButtonDown() const;
    // Switches the layout with setxkbmap; group 1 is the second layout.
    void setLayout(const QString& layouts, int lockedGroup = 0);

private:
    Display* connection;
};
