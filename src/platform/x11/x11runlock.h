#pragma once

#include <QByteArray>

#include "platform/runlock.h"

#include <X11/Xlib.h>

// The run lock of an X display: a selection owned by a window of a
// connection of its own. The server drops the ownership when the connection
// closes, however the process ended.
class X11RunLock : public RunLock {
public:
    // Opens the named display (DISPLAY when empty).
    explicit X11RunLock(const QByteArray& displayName);
    ~X11RunLock() override;
    X11RunLock(const X11RunLock&) = delete;
    X11RunLock& operator=(const X11RunLock&) = delete;

    bool tryAcquire() override;
    void release() override;

    // The selection's name: one per display, whichever program runs.
    static constexpr const char* selectionName = "_KESTRUN_RUN";

private:
    Display* display = nullptr;
    Window owner = 0;
    Atom selection = 0;
    bool held = false;
};
