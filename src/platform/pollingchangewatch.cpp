#include "platform/pollingchangewatch.h"

bool PollingChangeWatch::waitForChange() {
    std::unique_lock lock(mutex);
    if (!first)
        woken.wait_until(lock, lastReturn + interval, [this] { return interrupted; });
    first = false;
    // The next wait ends one interval after this return, however long the
    // caller takes in between.
    lastReturn = Clock::now();
    return !interrupted;
}

void PollingChangeWatch::interrupt() {
    {
        std::lock_guard lock(mutex);
        interrupted = true;
    }
    woken.notify_all();
}
