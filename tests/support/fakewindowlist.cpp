#include "fakewindowlist.h"

#include <algorithm>

class FakeWindowList::Watch : public ActiveWindowWatch {
public:
    explicit Watch(FakeWindowList& windows) : windows(windows) {}

    bool run(ActiveWindowListener& listener) override {
        std::unique_lock lock(windows.mutex);
        int seen = -1;
        while (!interrupted) {
            if (seen != windows.generation) {
                seen = windows.generation;
                const TopLevelWindow now = windows.find(windows.active);
                lock.unlock();
                listener.activeWindowChanged(now);
                lock.lock();
                continue;
            }
            windows.woken.wait(lock);
        }
        return true;
    }
    void interrupt() override {
        std::lock_guard lock(windows.mutex);
        interrupted = true;
        windows.woken.notify_all();
    }

private:
    FakeWindowList& windows;
    bool interrupted = false;
};

TopLevelWindow FakeWindowList::find(WindowHandle handle) const {
    for (const TopLevelWindow& window : list)
        if (window.handle == handle)
            return window;
    return {};
}

void FakeWindowList::changed() {
    ++generation;
    woken.notify_all();
}

QString FakeWindowList::unavailableReason(bool) const {
    std::lock_guard lock(mutex);
    return reason;
}

std::vector<TopLevelWindow> FakeWindowList::windows() {
    std::lock_guard lock(mutex);
    return list;
}

TopLevelWindow FakeWindowList::activeWindow() {
    std::lock_guard lock(mutex);
    return find(active);
}

bool FakeWindowList::activate(WindowHandle handle) {
    std::lock_guard lock(mutex);
    activated.push_back(handle);
    active = handle;
    changed();
    return true;
}

TopLevelWindow FakeWindowList::windowUnderPointer() {
    std::lock_guard lock(mutex);
    return find(underPointer);
}

std::unique_ptr<ActiveWindowWatch> FakeWindowList::createActiveWindowWatch() {
    if (!unavailableReason(false).isEmpty())
        return nullptr;
    return std::make_unique<Watch>(*this);
}

void FakeWindowList::setUnavailable(const QString& text) {
    std::lock_guard lock(mutex);
    reason = text;
}

void FakeWindowList::setWindows(std::vector<TopLevelWindow> windows) {
    std::lock_guard lock(mutex);
    list = std::move(windows);
    changed();
}

void FakeWindowList::setActive(WindowHandle handle) {
    std::lock_guard lock(mutex);
    active = handle;
    changed();
}

void FakeWindowList::setTitle(WindowHandle handle, const QString& title) {
    std::lock_guard lock(mutex);
    for (TopLevelWindow& window : list)
        if (window.handle == handle)
            window.title = title;
    changed();
}

void FakeWindowList::setUnderPointer(WindowHandle handle) {
    std::lock_guard lock(mutex);
    underPointer = handle;
}

std::vector<WindowHandle> FakeWindowList::activations() const {
    std::lock_guard lock(mutex);
    return activated;
}
