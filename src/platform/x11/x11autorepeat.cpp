#include "platform/x11/x11autorepeat.h"

#include "platform/x11/x11inputguard.h"

void X11AutoRepeat::suppress(KeyCode keycode) {
    Suppression& suppression = suppressed[keycode];
    if (suppression.holds++ > 0)
        return;
    XKeyboardState state;
    XGetKeyboardControl(display, &state);
    suppression.repeatedBefore = (state.auto_repeats[keycode / 8] >> (keycode % 8)) & 1;
    if (suppression.repeatedBefore)
        setRepeat(keycode, false);
}

void X11AutoRepeat::restore(KeyCode keycode) {
    auto it = suppressed.find(keycode);
    if (it == suppressed.end() || --it->second.holds > 0)
        return;
    if (it->second.repeatedBefore)
        setRepeat(keycode, true);
    suppressed.erase(it);
}

void X11AutoRepeat::restoreAll() {
    for (const auto& [keycode, suppression] : suppressed)
        if (suppression.repeatedBefore)
            setRepeat(keycode, true);
    suppressed.clear();
}

// The guard hears of a change before it is made, of the way back once it has
// left this process, so a kill at any moment leaves nothing unguarded.
void X11AutoRepeat::setRepeat(KeyCode keycode, bool repeat) {
    if (!repeat)
        x11guard::report(x11guard::Report::RepeatOff, keycode);
    XKeyboardControl control;
    control.key = keycode;
    control.auto_repeat_mode = repeat ? AutoRepeatModeOn : AutoRepeatModeOff;
    XChangeKeyboardControl(display, KBKey | KBAutoRepeatMode, &control);
    if (repeat) {
        XFlush(display);
        x11guard::report(x11guard::Report::RepeatOn, keycode);
    }
}
