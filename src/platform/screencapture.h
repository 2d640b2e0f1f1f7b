#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

// Wakes a screen search when the part of the desktop it looks at may have
// changed, so that waiting on a still screen costs next to nothing.
class ScreenChangeWatch {
public:
    virtual ~ScreenChangeWatch() = default;

    // The first call returns at once. Each later one blocks until the watched
    // area may have changed since the previous call returned, and returns no
    // sooner than 50 ms after it. Where the desktop cannot report changes it
    // simply returns every 50 ms. False once interrupted.
    virtual bool waitForChange() = 0;
    // From any thread, also before waitForChange: the current and every later
    // waitForChange return false at once.
    virtual void interrupt() = 0;
};

// The desktop's pixels, in physical pixels of the whole desktop: the space
// the mouse pointer moves in, negative on monitors left of or above the
// primary one. Callable from any thread.
class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;

    // Empty where the screen can be captured; otherwise why not.
    virtual QString unavailableReason(bool japanese) const = 0;
    bool isAvailable() const { return unavailableReason(false).isEmpty(); }

    // The rectangle around every monitor.
    virtual QRect desktopArea() = 0;
    // The pixels of `area` as QImage::Format_RGB32, pixel (0, 0) being
    // area.topLeft(); parts on no monitor are black. A null image when the
    // capture failed or `area` misses the desktop.
    virtual QImage grab(const QRect& area) = 0;
    // Never nullptr where the screen can be captured.
    virtual std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect& area) = 0;
};
