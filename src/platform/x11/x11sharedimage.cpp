#include "platform/x11/x11sharedimage.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "platform/x11/x11errortrap.h"
#include "platform/x11/x11imageconversion.h"

X11SharedImage::X11SharedImage(Display* display, const X11ErrorTrap& trap)
    : display(display), trap(trap) {
    refused = !XShmQueryExtension(display);
}

X11SharedImage::~X11SharedImage() {
    release();
}

bool X11SharedImage::read(const QRect& part, QImage& target, const QPoint& at) {
    if (refused)
        return false;
    const int screen = DefaultScreen(display);
    XImage* image =
        XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                        ZPixmap, nullptr, &segment, part.width(), part.height());
    if (!image)
        return false;
    bool read = false;
    if (makeRoomFor(static_cast<std::size_t>(image->bytes_per_line) * part.height())) {
        image->data = segment.shmaddr;
        const int errorsBefore = trap.errors();
        read = XShmGetImage(display, DefaultRootWindow(display), image, part.x(), part.y(),
                            AllPlanes) &&
               trap.errors() == errorsBefore;
        if (read)
            copyToRgb32(*image, target, at.x(), at.y());
    }
    // The pixels belong to the segment, not to the image.
    image->data = nullptr;
    XDestroyImage(image);
    return read;
}

bool X11SharedImage::makeRoomFor(std::size_t bytes) {
    if (capacity >= bytes)
        return true;
    release();
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0)
        return false;
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(segment.shmid, IPC_RMID, nullptr);
        return false;
    }
    segment.readOnly = False;
    const int errorsBefore = trap.errors();
    XShmAttach(display, &segment);
    XSync(display, False);
    // Marked for removal now, the segment goes when both sides let go of it,
    // even if this process is killed.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (trap.errors() != errorsBefore) {
        shmdt(segment.shmaddr);
        refused = true;
        return false;
    }
    capacity = bytes;
    return true;
}

void X11SharedImage::release() {
    if (!capacity)
        return;
    XShmDetach(display, &segment);
    XSync(display, False);
    shmdt(segment.shmaddr);
    capacity = 0;
}
