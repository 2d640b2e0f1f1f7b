#include "platform/x11/x11rawinput.h"

#include <QDebug>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "platform/inputbackend.h"
#include "platform/x11/wakepipe.h"

X11RawInputConnection::X11RawInputConnection(const QByteArray& displayName)
    : connection(XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData())) {}

X11RawInputConnection::~X11RawInputConnection() {
    if (connection)
        XCloseDisplay(connection);
}

bool X11RawInputConnection::select(std::initializer_list<int> rawTypes, unsigned xkbStateParts) {
    if (!connection)
        return false;
    int event = 0, error = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(connection, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(connection, &major, &minor) != Success) {
        qWarning() << "[Input] the X server has no XInput 2.2";
        return false;
    }
    int xkbOpcode = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(connection, &xkbOpcode, &xkbBase, &error, &xkbMajor, &xkbMinor)) {
        const unsigned mapEvents = XkbMapNotifyMask | XkbNewKeyboardNotifyMask;
        XkbSelectEvents(connection, XkbUseCoreKbd, mapEvents, mapEvents);
        XkbSelectEventDetails(connection, XkbUseCoreKbd, XkbStateNotify, xkbStateParts,
                              xkbStateParts);
    } else {
        xkbBase = 0;
    }
    // Master devices only: each event then comes once, whichever physical
    // or XTest device made it.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    for (int type : rawTypes)
        XISetMask(bits, type);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(connection, DefaultRootWindow(connection), &mask, 1);
    XSync(connection, False);
    return true;
}

void X11RawInputConnection::dispatch(const WakePipe& wake,
                                     const std::function<void(XEvent&)>& handle) {
    pollfd watched[] = {{ConnectionNumber(connection), POLLIN, 0}, {wake.readEnd(), POLLIN, 0}};
    while (!wake.raised()) {
        while (XPending(connection) > 0 && !wake.raised()) {
            XEvent next;
            XNextEvent(connection, &next);
            handle(next);
        }
        if (wake.raised() || (poll(watched, 2, -1) < 0 && errno != EINTR))
            break;
        if (watched[0].revents & (POLLHUP | POLLERR))
            break;
    }
}

void X11PointerButtons::readMapping(Display* display) {
    mapping.assign(256, 0);
    const int count = XGetPointerMapping(display, mapping.data(), 256);
    mapping.resize(std::max(count, 0));
}

int X11PointerButtons::virtualKeyOf(int deviceButton) const {
    const bool mapped = deviceButton > 0 && deviceButton <= int(mapping.size());
    return virtualKeyOfLogical(mapped ? mapping[deviceButton - 1] : deviceButton);
}

int X11PointerButtons::virtualKeyOfLogical(int logicalButton) {
    switch (logicalButton) {
    case 1:
        return vk::LButton;
    case 2:
        return vk::MButton;
    case 3:
        return vk::RButton;
    default:
        return 0;
    }
}
