#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>

// The run's stop flag, with sleeps that end the moment it is raised rather
// than at their next poll. Raising it is not for signal handlers: they only
// store into an atomic and wake a thread that raises it.
class StopSignal {
public:
    using Clock = std::chrono::steady_clock;

    void raise();
    bool isRaised() const { return raised.load(); }

    // Sleeps until the deadline; true when the stop came first (or before).
    bool sleepUntil(Clock::time_point deadline) const;
    bool sleepFor(Clock::duration duration) const;
    // Sleeps until `done` holds or the stop is raised; `done` is checked
    // again after every wake(). True when stopped.
    bool waitUntil(const std::function<bool()>& done) const;
    // The same, giving up at the deadline.
    bool waitUntil(const std::function<bool()>& done, Clock::time_point deadline) const;
    // Wakes the waiters of waitUntil after what `done` reads has changed.
    void wake() const;

    // While it lives, `action` runs once on the raising thread when the stop
    // is raised, or at once when it already is: for waits that block in
    // something of their own, which the action interrupts. Ending it waits
    // for an action under way, so what the action touches may go right after.
    class OnRaise {
    public:
        OnRaise(const StopSignal& signal, std::function<void()> action);
        ~OnRaise();
        OnRaise(const OnRaise&) = delete;
        OnRaise& operator=(const OnRaise&) = delete;

    private:
        const StopSignal& signal;
        std::list<std::function<void()>>::iterator entry;
    };

private:
    std::atomic<bool> raised{false};
    mutable std::mutex mutex;
    mutable std::condition_variable woken;
    mutable std::list<std::function<void()>> raiseActions;
};
