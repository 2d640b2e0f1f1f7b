#pragma once

#include <atomic>

// Ends a poll on another thread: raise() sets the flag and writes a byte to
// a pipe whose read end the blocked thread polls beside its X connection.
class WakePipe {
public:
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    // False when no pipe could be made; nothing can then be woken.
    bool usable() const { return ends[0] >= 0; }
    // The end to poll for POLLIN.
    int readEnd() const { return ends[0]; }
    void raise();
    bool raised() const { return flag.load(); }

private:
    int ends[2] = {-1, -1};
    std::atomic<bool> flag{false};
};
