#include "run/windowpages.h"

#include <QDebug>

#include <atomic>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace {

// The active window as the watch last reported it; each report wakes the
// run's waits, which check it again.
class LatestActive : public ActiveWindowListener {
public:
    explicit LatestActive(const StopSignal& stop) : stop(stop) {}

    void activeWindowChanged(const TopLevelWindow& active) override {
        {
            std::lock_guard lock(mutex);
            latest = active;
        }
        stop.wake();
    }
    std::optional<TopLevelWindow> get() const {
        std::lock_guard lock(mutex);
        return latest;
    }

private:
    const StopSignal& stop;
    mutable std::mutex mutex;
    std::optional<TopLevelWindow> latest;
};

enum class WaitEnd { Accepted, Stopped, TimedOut, Unwatchable };

// Watches on a thread of its own until `accept` takes the active window, the
// stop comes or the deadline passes.
WaitEnd waitForActive(WindowList& windows, const StopSignal& stop,
                      const std::function<bool(const TopLevelWindow&)>& accept,
                      std::optional<StopSignal::Clock::time_point> deadline) {
    const std::unique_ptr<ActiveWindowWatch> watch = windows.createActiveWindowWatch();
    if (!watch)
        return WaitEnd::Unwatchable;
    LatestActive latest(stop);
    std::atomic<bool> ended{false};
    bool watched = false;
    std::thread reader;
    try {
        reader = std::thread([&] {
            watched = watch->run(latest);
            ended.store(true);
            stop.wake();
        });
    } catch (const std::system_error& error) {
        qWarning() << "[Run] no thread could be started to watch the windows:" << error.what();
        return WaitEnd::Unwatchable;
    }
    bool accepted = false;
    const auto done = [&] {
        const std::optional<TopLevelWindow> active = latest.get();
        accepted = active && accept(*active);
        return accepted || ended.load();
    };
    if (deadline)
        stop.waitUntil(done, *deadline);
    else
        stop.waitUntil(done);
    watch->interrupt();
    reader.join();
    if (accepted)
        return WaitEnd::Accepted;
    if (stop.isRaised())
        return WaitEnd::Stopped;
    return ended.load() && !watched ? WaitEnd::Unwatchable : WaitEnd::TimedOut;
}

bool refuseHere(const WindowList& windows) {
    qWarning().noquote() << "[Run] pages that name a window cannot run here:"
                         << windows.unavailableReason(false);
    return false;
}

} // namespace

namespace windowpages {

bool activate(WindowList& windows, const StopSignal& stop, const QString& title) {
    if (!windows.isAvailable())
        return refuseHere(windows);
    const std::optional<TopLevelWindow> target = firstWindowNamed(windows.windows(), title);
    if (!target) {
        qWarning().noquote() << "[Run] no window's title contains" << title;
        return true;
    }
    if (!windows.activate(target->handle)) {
        qWarning().noquote() << "[Run] the desktop refused to activate" << target->title;
        return true;
    }
    const WaitEnd end = waitForActive(
        windows, stop,
        [&](const TopLevelWindow& active) { return active.handle == target->handle; },
        StopSignal::Clock::now() + activationTimeout);
    if (end == WaitEnd::TimedOut)
        qWarning().noquote() << "[Run] the window did not become active:" << target->title;
    return end != WaitEnd::Unwatchable || refuseHere(windows);
}

bool waitUntilActive(WindowList& windows, const StopSignal& stop, const QString& title) {
    if (title.isEmpty())
        return true;
    if (!windows.isAvailable())
        return refuseHere(windows);
    const WaitEnd end = waitForActive(
        windows, stop,
        [&](const TopLevelWindow& active) { return titleNames(active.title, title); },
        std::nullopt);
    return end != WaitEnd::Unwatchable || refuseHere(windows);
}

} // namespace windowpages
