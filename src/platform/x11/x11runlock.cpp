#include "platform/x11/x11runlock.h"

X11RunLock::X11RunLock(const QByteArray& displayName) {
    display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return;
    selection = XInternAtom(display, selectionName, False);
    owner = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
}

X11RunLock::~X11RunLock() {
    if (!display)
        return;
    release();
    XDestroyWindow(display, owner);
    XCloseDisplay(display);
}

// The server is grabbed from the look at the owner to the claim, so two
// programs cannot both find the selection free and both take it.
bool X11RunLock::tryAcquire() {
    // Without the display there is no desktop to share.
    if (!display)
        return true;
    if (held)
        return true;
    XGrabServer(display);
    if (XGetSelectionOwner(display, selection) == None)
        XSetSelectionOwner(display, selection, owner, CurrentTime);
    held = XGetSelectionOwner(display, selection) == owner;
    XUngrabServer(display);
    XSync(display, False);
    return held;
}

void X11RunLock::release() {
    if (!display || !held)
        return;
    held = false;
    if (XGetSelectionOwner(display, selection) == owner)
        XSetSelectionOwner(display, selection, None, CurrentTime);
    XSync(display, False);
}
