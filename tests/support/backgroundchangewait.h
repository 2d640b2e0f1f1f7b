#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/screencapture.h"

// One waitForChange of a watch on a thread of its own, noting when it ended
// and what it returned. Interrupts the watch when it goes.
class BackgroundChangeWait {
public:
    using Clock = std::chrono::steady_clock;

    explicit BackgroundChangeWait(ScreenChangeWatch& watch)
        : watch(watch), thread([this] {
              woken.store(this->watch.waitForChange());
              endedAt.store(Clock::now().time_since_epoch().count());
          }) {}
    ~BackgroundChangeWait() {
        watch.interrupt();
        thread.join();
    }

    bool ended() const { return endedAt.load() != 0; }
    bool woke() const { return ended() && woken.load(); }
    Clock::duration endedAfter(Clock::time_point moment) const {
        return Clock::time_point(Clock::duration(endedAt.load())) - moment;
    }

private:
    ScreenChangeWatch& watch;
    std::atomic<bool> woken{false};
    std::atomic<Clock::rep> endedAt{0};
    std::thread thread;
};
