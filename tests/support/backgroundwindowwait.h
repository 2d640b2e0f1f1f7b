#pragma once

#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include "run/windowpages.h"

// A window condition waiting on a thread of its own, noting when it ended.
struct BackgroundWindowWait {
    using Clock = std::chrono::steady_clock;

    StopSignal stop;
    std::atomic<Clock::rep> endedAt{0};
    std::thread thread;

    BackgroundWindowWait(WindowList& windows, const QString& title)
        : thread([this, &windows, title] {
              windowpages::waitUntilActive(windows, stop, title);
              endedAt.store(Clock::now().time_since_epoch().count());
          }) {}
    ~BackgroundWindowWait() {
        stop.raise();
        thread.join();
    }
    bool ended() const { return endedAt.load() != 0; }
    Clock::duration endedAfter(Clock::time_point moment) const {
        return Clock::time_point(Clock::duration(endedAt.load())) - moment;
    }
    // Lets the wait run a while, stops it and says how long it took to end;
    // the longest duration when it did not end within a second.
    Clock::duration timeToStop() {
        QTest::qWait(200);
        const Clock::time_point stopped = Clock::now();
        stop.raise();
        if (!QTest::qWaitFor([this] { return ended(); }, 1000))
            return Clock::duration::max();
        return endedAfter(stopped);
    }
};
