#include "platform/x11/x11sparekeycodes.h"

#include <algorithm>

#include "platform/x11/x11inputguard.h"
#include "platform/x11/x11keyboardmap.h"

void X11SpareKeycodes::adopt(const X11KeyboardMap& map) {
    const std::vector<KeyCode> empty = map.emptyKeycodes();
    auto isEmpty = [&](KeyCode keycode) {
        return std::find(empty.begin(), empty.end(), keycode) != empty.end();
    };
    // A new layout may have overwritten what was lent; there is then nothing
    // of ours left on that key to restore.
    for (Spare& spare : spares)
        if (spare.keysym != NoSymbol && !map.carriesOnly(spare.keycode, spare.keysym))
            spare.keysym = NoSymbol;
    std::erase_if(spares, [&](const Spare& spare) {
        return spare.keysym == NoSymbol && spare.holds == 0 && !isEmpty(spare.keycode);
    });
    for (KeyCode keycode : empty)
        if (!contains(keycode))
            spares.push_back(Spare{keycode});
}

bool X11SpareKeycodes::contains(KeyCode keycode) const {
    return std::any_of(spares.begin(), spares.end(),
                       [&](const Spare& spare) { return spare.keycode == keycode; });
}

X11SpareKeycodes::Grant X11SpareKeycodes::acquire(KeySym keysym, Clock::time_point now) {
    for (Spare& spare : spares) {
        if (spare.keysym == keysym) {
            spare.lastUse = now;
            return {spare.keycode, {}};
        }
    }
    Spare* oldest = nullptr;
    for (Spare& spare : spares) {
        if (spare.holds > 0)
            continue;
        if (spare.keysym == NoSymbol) {
            oldest = &spare;
            break;
        }
        if (!oldest || spare.lastUse < oldest->lastUse)
            oldest = &spare;
    }
    if (!oldest)
        return {};
    if (oldest->keysym != NoSymbol && now - oldest->lastUse < minimumReuseAge)
        return {0, oldest->lastUse + minimumReuseAge - now};
    assign(*oldest, keysym);
    oldest->lastUse = now;
    return {oldest->keycode, {}};
}

void X11SpareKeycodes::hold(KeyCode keycode) {
    if (Spare* spare = find(keycode))
        ++spare->holds;
}

void X11SpareKeycodes::release(KeyCode keycode, Clock::time_point now) {
    if (Spare* spare = find(keycode); spare && spare->holds > 0) {
        --spare->holds;
        spare->lastUse = now;
    }
}

bool X11SpareKeycodes::anyHeld() const {
    return std::any_of(spares.begin(), spares.end(),
                       [](const Spare& spare) { return spare.holds > 0; });
}

X11SpareKeycodes::Clock::time_point X11SpareKeycodes::lastUse() const {
    Clock::time_point last{};
    for (const Spare& spare : spares)
        if (spare.keysym != NoSymbol)
            last = std::max(last, spare.lastUse);
    return last;
}

void X11SpareKeycodes::restore() {
    for (Spare& spare : spares)
        if (spare.keysym != NoSymbol && spare.holds == 0)
            assign(spare, NoSymbol);
}

void X11SpareKeycodes::assign(Spare& spare, KeySym keysym) {
    // The same keysym in every column gives the key one level in every group,
    // so it types the keysym whatever group and modifiers are active.
    int columns = 0;
    KeySym* current = XGetKeyboardMapping(display, spare.keycode, 1, &columns);
    if (current)
        XFree(current);
    std::vector<KeySym> row(std::max(columns, 1), keysym);
    // The guard hears of a loan before it is made, of its end once that has
    // left this process.
    if (keysym != NoSymbol)
        x11guard::report(x11guard::Report::SpareLent, spare.keycode,
                         static_cast<std::uint32_t>(keysym));
    XChangeKeyboardMapping(display, spare.keycode, static_cast<int>(row.size()), row.data(), 1);
    spare.keysym = keysym;
    if (keysym == NoSymbol) {
        XFlush(display);
        x11guard::report(x11guard::Report::SpareEmptied, spare.keycode);
    }
}

X11SpareKeycodes::Spare* X11SpareKeycodes::find(KeyCode keycode) {
    auto it = std::find_if(spares.begin(), spares.end(),
                           [&](const Spare& spare) { return spare.keycode == keycode; });
    return it == spares.end() ? nullptr : &*it;
}
