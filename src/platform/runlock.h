#pragma once

// One run at a time on a desktop: two runs would press each other's modifiers
// and take each other's spare keys. The lock is an object of the desktop's
// that goes with the process holding it, so a crash leaves no stale lock.
class RunLock {
public:
    virtual ~RunLock() = default;

    // Takes the lock when no other run holds it; true while this one holds it.
    virtual bool tryAcquire() = 0;
    // Lets go of it; destruction does too.
    virtual void release() = 0;
};
