#include "platform/x11/x11keyboardhook.h"

#include <QSocketNotifier>

#include "platform/inputbackend.h"
#include "platform/x11/x11keyboardmap.h"

// After Qt's headers: Xlib's macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

constexpr int noDisplayError = -1;

} // namespace

X11KeyboardHook::X11KeyboardHook(QByteArray displayName) : displayName(std::move(displayName)) {}

X11KeyboardHook::~X11KeyboardHook() {
    remove();
}

bool X11KeyboardHook::install(KeyHookProcedure newProcedure) {
    if (display) {
        if (capturing && !grabbed)
            return grab();
        return true;
    }
    display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display) {
        error = noDisplayError;
        return false;
    }
    if (capturing && !grab()) {
        XCloseDisplay(display);
        display = nullptr;
        return false;
    }
    // Keys are named from a copy of the map, read again after each change.
    int opcode = 0, xkbError = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(display, &opcode, &xkbEventBase, &xkbError, &major, &minor)) {
        const unsigned mapEvents = XkbMapNotifyMask | XkbNewKeyboardNotifyMask;
        XkbSelectEvents(display, XkbUseCoreKbd, mapEvents, mapEvents);
    }
    keyboardMap = std::make_unique<X11KeyboardMap>(display);
    procedure = std::move(newProcedure);
    notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    drainSoon();
    return true;
}

bool X11KeyboardHook::remove() {
    if (!display)
        return false;
    // Stop watching the socket before it closes; the notifier itself may be
    // delivering the very event that led here, so it goes later.
    notifier->setEnabled(false);
    notifier.release()->deleteLater();
    ungrab();
    keyboardMap.reset();
    XCloseDisplay(display);
    display = nullptr;
    procedure = nullptr;
    return true;
}

bool X11KeyboardHook::isInstalled() const {
    return display != nullptr;
}

int X11KeyboardHook::lastError() const {
    return error;
}

void X11KeyboardHook::setCapturing(bool on) {
    capturing = on;
    if (!display)
        return;
    if (on && !grabbed)
        grab();
    else if (!on && grabbed)
        ungrab();
}

bool X11KeyboardHook::grab() {
    const int status = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                                     GrabModeAsync, CurrentTime);
    grabbed = status == GrabSuccess;
    if (!grabbed)
        error = status;
    // The round trip may have queued events the socket will not signal again.
    drainSoon();
    return grabbed;
}

void X11KeyboardHook::ungrab() {
    if (!grabbed)
        return;
    XUngrabKeyboard(display, CurrentTime);
    XFlush(display);
    grabbed = false;
}

void X11KeyboardHook::drainSoon() {
    if (notifier)
        QMetaObject::invokeMethod(
            notifier.get(), [this] { readEvents(); }, Qt::QueuedConnection);
}

void X11KeyboardHook::readEvents() {
    // The procedure may remove the filter, closing the display under us.
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == KeyPress || event.type == KeyRelease)
            deliver(event);
        else if (event.type == MappingNotify)
            XRefreshKeyboardMapping(&event.xmapping);
        else if (xkbEventBase && event.type == xkbEventBase)
            keyboardMap->invalidate();
    }
}

void X11KeyboardHook::deliver(const XEvent& event) {
    const XKeyEvent& key = event.xkey;
    keyboardMap->refresh();
    const bool numLock = key.state & XkbKeysymToModifiers(display, XK_Num_Lock);
    const int virtualKey = keyboardMap->virtualKeyOf(static_cast<KeyCode>(key.keycode),
                                                     XkbGroupForCoreState(key.state), numLock);
    if (virtualKey == 0)
        return;
    // Windows reports keys typed with Alt held as system keys.
    const bool altHeld =
        (key.state & Mod1Mask) || virtualKey == vk::LMenu || virtualKey == vk::RMenu;
    const KeyMessage message = key.type == KeyPress
                                   ? (altHeld ? KeyMessage::SysKeyDown : KeyMessage::KeyDown)
                                   : (altHeld ? KeyMessage::SysKeyUp : KeyMessage::KeyUp);
    // A copy: the procedure may remove the filter and drop the original.
    const KeyHookProcedure current = procedure;
    // Under the grab the event has reached no other client; there is no way to
    // hand it on, whatever the procedure answers.
    if (current)
        current(0, static_cast<int>(message), virtualKey);
}
