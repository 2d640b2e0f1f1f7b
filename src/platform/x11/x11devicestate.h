#pragma once

#include "platform/x11/x11rawinput.h"

// After Qt: Xlib's macros clash with Qt's names.
#include "platform/x11/x11keyboardmap.h"

// The keyboard and the pointer as the server last described them: the XKB
// group and modifiers, the key map and the pointer's button mapping, kept
// current from the XKB and MappingNotify events of a raw-input connection.
// The server sends the change a modifier makes before the next key's event.
class X11DeviceState {
    Display* display;
    int xkbEventBase;

public:
    X11DeviceState(Display* display, int xkbEventBase)
        : display(display), xkbEventBase(xkbEventBase), keyboardMap(display) {}

    void readInitial();
    // Takes in the event where it changes the state; ignores any other.
    void follow(const XEvent& event);
    bool numLockOn() const;

    X11KeyboardMap keyboardMap;
    X11PointerButtons pointerButtons;
    int group = 0;
    unsigned mods = 0;
    unsigned lockedMods = 0;
};
