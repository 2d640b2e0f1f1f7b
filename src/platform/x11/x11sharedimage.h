#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include <QImage>
#include <QRect>

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>

class X11ErrorTrap;

// Root pixels read through a shared memory segment (MIT-SHM), which spares
// the copy through the socket. The segment is kept while big enough for what
// is read. A server that cannot share memory with us (a remote one, another
// IPC namespace) refuses to attach it: the reader is then unusable for good.
class X11SharedImage {
public:
    X11SharedImage(Display* display, const X11ErrorTrap& trap);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage&) = delete;
    X11SharedImage& operator=(const X11SharedImage&) = delete;

    bool usable() const { return !refused; }
    // Copies the root's `part` into `target` at `at`; false when it failed.
    bool read(const QRect& part, QImage& target, const QPoint& at);

private:
    bool makeRoomFor(std::size_t bytes);
    void release();

    Display* display;
    const X11ErrorTrap& trap;
    XShmSegmentInfo segment{};
    std::size_t capacity = 0;
    bool refused = false;
};
