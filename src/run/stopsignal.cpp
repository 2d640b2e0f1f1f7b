#include "run/stopsignal.h"

void StopSignal::raise() {
    {
        // Under the lock, so an action never runs after its OnRaise ended.
        std::lock_guard lock(mutex);
        if (raised.exchange(true))
            return;
        for (const std::function<void()>& action : raiseActions)
            action();
    }
    woken.notify_all();
}

StopSignal::OnRaise::OnRaise(const StopSignal& signal, std::function<void()> action)
    : signal(signal) {
    std::lock_guard lock(signal.mutex);
    if (signal.raised.load())
        action();
    entry = signal.raiseActions.insert(signal.raiseActions.end(), std::move(action));
}

StopSignal::OnRaise::~OnRaise() {
    std::lock_guard lock(signal.mutex);
    signal.raiseActions.erase(entry);
}

bool StopSignal::sleepUntil(Clock::time_point deadline) const {
    std::unique_lock lock(mutex);
    return woken.wait_until(lock, deadline, [this] { return raised.load(); });
}

bool StopSignal::sleepFor(Clock::duration duration) const {
    return sleepUntil(Clock::now() + duration);
}

bool StopSignal::waitUntil(const std::function<bool()>& done) const {
    std::unique_lock lock(mutex);
    woken.wait(lock, [&] { return raised.load() || done(); });
    return raised.load();
}

bool StopSignal::waitUntil(const std::function<bool()>& done, Clock::time_point deadline) const {
    std::unique_lock lock(mutex);
    woken.wait_until(lock, deadline, [&] { return raised.load() || done(); });
    return raised.load();
}

void StopSignal::wake() const {
    // Taking the lock orders the change before a waiter's next check, so no
    // wake-up falls between its check and its sleep.
    { std::lock_guard lock(mutex); }
    woken.notify_all();
}
