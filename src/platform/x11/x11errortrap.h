#pragma once

#include <X11/Xlib.h>

// Counts the protocol errors of one connection instead of letting Xlib's
// default handler end the process: a capture may fail (shared memory refused
// by a remote server) and must then fall back, not exit. Errors of other
// connections still go to the handler that was there before.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Errors so far; XSync first to count those of the requests just sent.
    int errors() const;

private:
    Display* display;
};
