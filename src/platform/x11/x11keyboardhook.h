#pragma once

#include <memory>

#include <QByteArray>

#include "platform/keyboardhook.h"

class QSocketNotifier;
class X11KeyboardMap;
struct _XDisplay;
union _XEvent;

// The system-wide keyboard filter of an X11 session: an active grab of the
// whole keyboard on a connection of its own, so key events reach no other
// client while it captures. X cannot hand a grabbed event back to the client
// it was meant for, so the grab is held only while capturing. Events are read
// on the thread that installed it (the GUI thread) from its event loop.
class X11KeyboardHook : public KeyboardHook {
public:
    // The display to capture on; empty means $DISPLAY.
    explicit X11KeyboardHook(QByteArray displayName = {});
    ~X11KeyboardHook() override;

    bool install(KeyHookProcedure procedure) override;
    bool remove() override;
    bool isInstalled() const override;
    // The XGrabKeyboard status of the last failed grab (AlreadyGrabbed 1,
    // GrabInvalidTime 2, GrabNotViewable 3, GrabFrozen 4), or -1 when no X
    // display could be opened.
    int lastError() const override;
    void setCapturing(bool capturing) override;

private:
    bool grab();
    void ungrab();
    void drainSoon();
    void readEvents();
    void deliver(const _XEvent& event);

    QByteArray displayName;
    _XDisplay* display = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;
    std::unique_ptr<X11KeyboardMap> keyboardMap;
    int xkbEventBase = 0;
    KeyHookProcedure procedure;
    bool capturing = true;
    bool grabbed = false;
    int error = 0;
};
