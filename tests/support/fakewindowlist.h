#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/windowlist.h"

// Windows the test scripts: their titles, which one is active, and what the
// run asked to activate. Activation makes a window active at once; every
// change reaches the watches as an event would.
class FakeWindowList : public WindowList {
public:
    QString unavailableReason(bool) const override;
    std::vector<TopLevelWindow> windows() override;
    TopLevelWindow activeWindow() override;
    bool activate(WindowHandle handle) override;
    TopLevelWindow windowUnderPointer() override;
    std::unique_ptr<ActiveWindowWatch> createActiveWindowWatch() override;

    void setUnavailable(const QString& reason);
    void setWindows(std::vector<TopLevelWindow> windows);
    void setActive(WindowHandle handle);
    void setTitle(WindowHandle handle, const QString& title);
    void setUnderPointer(WindowHandle handle);
    std::vector<WindowHandle> activations() const;

private:
    class Watch;
    void changed();
    TopLevelWindow find(WindowHandle handle) const;

    mutable std::mutex mutex;
    std::condition_variable woken;
    int generation = 0;
    QString reason;
    std::vector<TopLevelWindow> list;
    WindowHandle active = 0;
    WindowHandle underPointer = 0;
    std::vector<WindowHandle> activated;
};
