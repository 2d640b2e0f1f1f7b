#pragma once

#include <QByteArray>

#include <atomic>
#include <mutex>

#include "platform/windowlist.h"
#include "platform/x11/wakepipe.h"
#include "platform/x11/x11ewmh.h"

// The window list of an X11 desktop, over a connection of its own that one
// mutex guards.
class X11WindowList : public WindowList {
public:
    // The display to use; empty means $DISPLAY.
    explicit X11WindowList(QByteArray displayName = {});

    QString unavailableReason(bool japanese) const override;
    std::vector<TopLevelWindow> windows() override;
    TopLevelWindow activeWindow() override;
    bool activate(WindowHandle handle) override;
    TopLevelWindow windowUnderPointer() override;
    std::unique_ptr<ActiveWindowWatch> createActiveWindowWatch() override;

private:
    const QByteArray displayName;
    std::mutex mutex;
    X11Ewmh ewmh;
};

// Activations and title changes on X11, read over a connection of its own:
// PropertyNotify of the root's _NET_ACTIVE_WINDOW and of the active window's
// names, or without a window manager the focus moving between top-level
// windows.
class X11ActiveWindowWatch : public ActiveWindowWatch {
public:
    explicit X11ActiveWindowWatch(QByteArray displayName);
    X11ActiveWindowWatch(const X11ActiveWindowWatch&) = delete;
    X11ActiveWindowWatch& operator=(const X11ActiveWindowWatch&) = delete;

    bool run(ActiveWindowListener& listener) override;
    void interrupt() override;

private:
    const QByteArray displayName;
    // Raised by interrupt, polled by run: it wakes a blocked run.
    WakePipe wake;
};
