#include "platform/x11/x11devicestate.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

void X11DeviceState::readInitial() {
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    group = state.group;
    mods = state.lookup_mods;
    lockedMods = state.locked_mods;
    pointerButtons.readMapping(display);
}

void X11DeviceState::follow(const XEvent& event) {
    if (event.type == MappingNotify) {
        if (event.xmapping.request == MappingPointer)
            pointerButtons.readMapping(display);
        return;
    }
    if (!xkbEventBase || event.type != xkbEventBase)
        return;
    const auto& xkb = reinterpret_cast<const XkbAnyEvent&>(event);
    if (xkb.xkb_type == XkbStateNotify) {
        const auto& state = reinterpret_cast<const XkbStateNotifyEvent&>(event);
        group = state.group;
        mods = state.lookup_mods;
        lockedMods = state.locked_mods;
    } else {
        keyboardMap.invalidate();
    }
}

bool X11DeviceState::numLockOn() const {
    return lockedMods & XkbKeysymToModifiers(display, XK_Num_Lock);
}
