#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/screencapture.h"

// The change watch of a desktop that cannot report changes: every wait after
// the first lasts the interval, and an interrupt ends it at once.
class PollingChangeWatch : public ScreenChangeWatch {
public:
    static constexpr std::chrono::milliseconds interval{50};

    bool waitForChange() override;
    void interrupt() override;

private:
    using Clock = std::chrono::steady_clock;

    std::mutex mutex;
    std::condition_variable woken;
    bool interrupted = false;
    bool first = true;
    Clock::time_point lastReturn;
};
