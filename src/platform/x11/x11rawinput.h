#pragma once

#include <QByteArray>

#include <functional>
#include <initializer_list>
#include <vector>

// Xlib's types, declared without <X11/Xlib.h> and its macros that clash
// with Qt's names.
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

class WakePipe;

// A connection of its own to the X server that receives XInput 2 raw events
// of every master device on the root window, and the keyboard's XKB map and
// state changes: what both the run's watcher and a recording read.
class X11RawInputConnection {
public:
    // Empty means $DISPLAY.
    explicit X11RawInputConnection(const QByteArray& displayName);
    ~X11RawInputConnection();
    X11RawInputConnection(const X11RawInputConnection&) = delete;
    X11RawInputConnection& operator=(const X11RawInputConnection&) = delete;

    // Selects the raw event types, and XKB state notifications for the
    // state parts given (XkbGroupStateMask...); false when the display
    // cannot be opened or has no XInput 2.2.
    bool select(std::initializer_list<int> rawTypes, unsigned xkbStateParts);

    Display* display() const { return connection; }
    int xiOpcode() const { return opcode; }
    // 0 when the server has no XKB.
    int xkbEventBase() const { return xkbBase; }

    // Hands each event to `handle`, as it comes, until the wake pipe is
    // raised or the connection is lost.
    void dispatch(const WakePipe& wake, const std::function<void(XEvent&)>& handle);

private:
    Display* connection = nullptr;
    int opcode = 0;
    int xkbBase = 0;
};

// The pointer's device buttons named as logical ones by virtual-key code.
class X11PointerButtons {
public:
    // Reads the pointer mapping again (at start and on MappingNotify).
    void readMapping(Display* display);
    // The code of a device button through the mapping (a left-handed mouse
    // swaps 1 and 3); 0 for the wheel (4 to 7) and the other buttons.
    int virtualKeyOf(int deviceButton) const;
    // The code of a logical button, as core pointer masks give them.
    static int virtualKeyOfLogical(int logicalButton);

private:
    std::vector<unsigned char> mapping;
};
