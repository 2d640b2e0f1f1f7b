#pragma once

#include <atomic>

#include "platform/windowlist.h"

// The window list of a Windows desktop: the visible top-level windows with a
// title, in z-order.
class Win32WindowList : public WindowList {
public:
    QString unavailableReason(bool) const override { return {}; }
    std::vector<TopLevelWindow> windows() override;
    TopLevelWindow activeWindow() override;
    bool activate(WindowHandle handle) override;
    TopLevelWindow windowUnderPointer() override;
    std::unique_ptr<ActiveWindowWatch> createActiveWindowWatch() override;
};

// Foreground and title changes through WinEvent hooks, delivered to the
// message loop of the thread that runs the watch.
class Win32ActiveWindowWatch : public ActiveWindowWatch {
public:
    bool run(ActiveWindowListener& listener) override;
    void interrupt() override;
    // Tells the listener of a change, under the lock of the running watches.
    void report(const TopLevelWindow& now);

private:
    ActiveWindowListener* listener = nullptr;
    TopLevelWindow lastReported;
    std::atomic<bool> interrupted{false};
    std::atomic<unsigned long> threadId{0};
};
