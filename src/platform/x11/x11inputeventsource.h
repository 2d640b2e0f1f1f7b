#pragma once

#include <QByteArray>

#include <atomic>
#include <memory>

#include "platform/inputeventsource.h"
#include "platform/x11/wakepipe.h"

class X11SentInput;

// The desktop's key and button events on X11: XInput 2 raw events of every
// master device, selected on the root window over a connection of its own
// and read on the thread that runs it. Raw events reach it whoever has the
// keyboard grabbed and whichever client has the focus. Keys are named as the
// keyboard capture names them, in the keyboard group active at the press.
class X11InputEventSource : public InputEventSource {
public:
    // The display to watch; empty means $DISPLAY. Events that `ownInput`
    // accounts for, this program's own, are left out.
    explicit X11InputEventSource(QByteArray displayName = {},
                                 std::shared_ptr<X11SentInput> ownInput = nullptr);
    X11InputEventSource(const X11InputEventSource&) = delete;
    X11InputEventSource& operator=(const X11InputEventSource&) = delete;

    bool run(InputEventListener& listener) override;
    void interrupt() override;

private:
    QByteArray displayName;
    std::shared_ptr<X11SentInput> ownInput;
    // Raised by interrupt, polled by run: it wakes a blocked run.
    WakePipe wake;
};
