#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

// A top-level window as the desktop names it: an X window id or an HWND.
using WindowHandle = quintptr;

struct TopLevelWindow {
    WindowHandle handle = 0;
    QString title;

    bool operator==(const TopLevelWindow&) const = default;
};

// Told what the active window is: first as it stands when the watch starts,
// then after every change of the active window or of its title.
class ActiveWindowListener {
public:
    virtual ~ActiveWindowListener() = default;
    // handle 0 and an empty title when no window is active.
    virtual void activeWindowChanged(const TopLevelWindow& active) = 0;
};

// The desktop's activations and title changes as events, read on the
// thread that calls run().
class ActiveWindowWatch {
public:
    virtual ~ActiveWindowWatch() = default;

    // Reports until interrupt(); false at once, having reported nothing, when
    // the desktop cannot be watched.
    virtual bool run(ActiveWindowListener& listener) = 0;
    // From any thread, also before run: run returns as soon as it can.
    virtual void interrupt() = 0;
};

// The desktop's top-level windows: listed by title, brought to the front,
// and watched for which one is active. Callable from any thread.
class WindowList {
public:
    virtual ~WindowList() = default;

    // Empty where windows can be listed and activated; otherwise why not.
    virtual QString unavailableReason(bool japanese) const = 0;
    bool isAvailable() const { return unavailableReason(false).isEmpty(); }

    // Windows with a title, minimised ones included, topmost first.
    virtual std::vector<TopLevelWindow> windows() = 0;
    virtual TopLevelWindow activeWindow() = 0;
    // Restores the window if it is minimised, raises it and asks for it to
    // get the keyboard focus. The desktop may grant that a little later;
    // false when the request could not even be made.
    virtual bool activate(WindowHandle handle) = 0;
    // The top-level window under the mouse pointer (handle 0 if none).
    virtual TopLevelWindow windowUnderPointer() = 0;
    // nullptr where the desktop cannot be watched.
    virtual std::unique_ptr<ActiveWindowWatch> createActiveWindowWatch() = 0;
};

// Whether a title names the window that `part` asks for: it contains the
// part, whatever the case. An empty part names no window.
bool titleNames(const QString& title, const QString& part);
// The first window (topmost) whose title contains `part`.
std::optional<TopLevelWindow> firstWindowNamed(const std::vector<TopLevelWindow>& windows,
                                               const QString& part);
