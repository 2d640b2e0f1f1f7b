#pragma once

#include "platform/win32/windowsapi.h"

// Makes the calling thread per-monitor DPI aware while it lives. The programs
// are (their manifest says so), but a thread of a process that is not would
// read and set positions Windows scaled to 96 DPI. The first version of the
// context is enough for positions, and Wine knows no other.
class PhysicalPixels {
public:
    PhysicalPixels()
        : previous(SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {}
    ~PhysicalPixels() {
        if (previous)
            SetThreadDpiAwarenessContext(previous);
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

private:
    DPI_AWARENESS_CONTEXT previous;
};
