#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include "platform/screencapture.h"

#include <QByteArray>

#include <X11/Xlib.h>

#include <memory>
#include <mutex>
#include <vector>

class X11ErrorTrap;
class X11Monitors;
class X11SharedImage;

// The root window's pixels, read on a connection of its own that one mutex
// guards. Root coordinates are those the X11 input backend moves the pointer
// in, so a found place can be pointed at as it is. Parts of the root that no
// monitor shows read as black: nobody sees what is drawn there.
class X11ScreenCapture : public ScreenCapture {
public:
    enum class Transfer {
        // Through shared memory where the server offers it, else by request.
        SharedMemoryFirst,
        // Every pixel through the socket, as with a remote server.
        RequestOnly,
    };

    // Opens the named display (DISPLAY when empty).
    explicit X11ScreenCapture(const QByteArray& displayName = {},
                              Transfer transfer = Transfer::SharedMemoryFirst);
    ~X11ScreenCapture() override;
    X11ScreenCapture(const X11ScreenCapture&) = delete;
    X11ScreenCapture& operator=(const X11ScreenCapture&) = delete;

    QString unavailableReason(bool japanese) const override;
    QRect desktopArea() override;
    QImage grab(const QRect& area) override;
    std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect& area) override;

    // Whether grabs go through shared memory: false once the server refused.
    bool sharesMemory() const;

private:
    enum class State { Usable, NoDisplay, UnknownPixels };

    QRect rootGeometry();
    std::vector<QRect> monitors();
    bool copyPart(QImage& image, const QRect& part, const QPoint& at);

    QByteArray displayName;
    mutable std::mutex mutex;
    Display* display = nullptr;
    std::unique_ptr<X11ErrorTrap> trap;
    std::unique_ptr<X11Monitors> monitorList;
#ifdef KESTRUN_HAVE_XSHM
    std::unique_ptr<X11SharedImage> shared;
#endif
    State state = State::NoDisplay;
};
