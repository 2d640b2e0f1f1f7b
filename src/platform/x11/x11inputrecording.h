#pragma once

#include <QByteArray>

#include "platform/inputrecording.h"
#include "platform/x11/wakepipe.h"

// The user's input on X11: XInput 2 raw events of every master device on
// the root window, over a connection of its own, so that every device and
// every client's XTest input (xdotool, a remote desktop) is seen, whoever
// has the focus or a grab. Each event carries the server's time and the
// pointer position read as it is handled. Keys are named as the keyboard
// capture names them in the group active at the press, and their text comes
// from the server's keyboard map and state, composed through the locale's
// compose table. A held key is one press (its repeats are not reported),
// and a key or button already down at the start is not reported at all.
// The wheel (buttons 4 to 7) is not a button and is left out.
class X11InputRecording : public InputRecording {
public:
    // Empty means $DISPLAY.
    explicit X11InputRecording(QByteArray displayName = {});

    bool run(InputRecordingListener& listener) override;
    void interrupt() override { wake.raise(); }

private:
    QByteArray displayName;
    WakePipe wake;
};
