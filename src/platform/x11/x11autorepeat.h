#pragma once

#include <X11/Xlib.h>

#include <map>

// Switches the server's autorepeat off for keys while this program holds them
// for long, so a key held for seconds reaches clients as one press and one
// release, and gives each key back its own setting afterwards. Each switch
// makes the server notify every client, so it is done once per held key.
class X11AutoRepeat {
public:
    explicit X11AutoRepeat(Display* display) : display(display) {}

    void suppress(KeyCode keycode);
    void restore(KeyCode keycode);
    void restoreAll();

private:
    struct Suppression {
        int holds = 0;
        bool repeatedBefore = false;
    };

    void setRepeat(KeyCode keycode, bool repeat);

    Display* display;
    std::map<KeyCode, Suppression> suppressed;
};
