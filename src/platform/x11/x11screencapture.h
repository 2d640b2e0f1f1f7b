#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include "platform/screencapture.h"

#include <QByteArray>

#include <X11/Xlib.h>

#include <memory>
#include <mutex>

class X11ErrorTrap;

// The root window's pixels, read on a connection of its own that one mutex
// guards. Root coordinates are those the X11 input backend moves the pointer
// in, so a found place can be pointed at as it is.
class X11ScreenCapture : public ScreenCapture {
public:
    // Opens the named display (DISPLAY when empty).
    explicit X11ScreenCapture(const QByteArray& displayName = {});
    ~X11ScreenCapture() override;
    X11ScreenCapture(const X11ScreenCapture&) = delete;
    X11ScreenCapture& operator=(const X11ScreenCapture&) = delete;

    QString unavailableReason(bool japanese) const override;
    QRect desktopArea() override;
    QImage grab(const QRect& area) override;
    std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect& area) override;

private:
    enum class State { Usable, NoDisplay, UnknownPixels };

    QRect rootGeometry();
    bool copyPart(QImage& image, const QRect& part, const QPoint& at);

    QByteArray displayName;
    std::mutex mutex;
    Display* display = nullptr;
    std::unique_ptr<X11ErrorTrap> trap;
    State state = State::NoDisplay;
};
