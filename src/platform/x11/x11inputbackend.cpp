#include "platform/x11/x11inputbackend.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

#include "platform/x11/x11autorepeat.h"
#include "platform/x11/x11inputguard.h"
#include "platform/x11/x11keyboardmap.h"
#include "platform/x11/x11keymap.h"
#include "platform/x11/x11sparekeycodes.h"

namespace {

// The keysym a spare key gets to type a character: Latin-1 keysyms equal their
// code point, every other character has a keysym of its own.
KeySym keysymForCharacter(char32_t character) {
    if ((character >= 0x20 && character <= 0x7e) || (character >= 0xa0 && character <= 0xff))
        return character;
    return 0x1000000 | character;
}

// The key a control character stands for; NoSymbol when it types nothing.
KeySym keysymForControl(char32_t character) {
    switch (character) {
    case U'\n':
    case U'\r':
        return XK_Return;
    case U'\t':
        return XK_Tab;
    case U'\b':
        return XK_BackSpace;
    case 0x1b:
        return XK_Escape;
    case 0x7f:
        return XK_Delete;
    default:
        return NoSymbol;
    }
}

bool isControl(char32_t character) {
    return character < 0x20 || (character >= 0x7f && character < 0xa0);
}

// Both sides' codes answer for the generic Shift, Ctrl and Alt.
bool virtualKeyMatches(int asked, int found) {
    switch (asked) {
    case vk::Shift:
        return found == vk::LShift || found == vk::RShift;
    case vk::Control:
        return found == vk::LControl || found == vk::RControl;
    case vk::Menu:
        return found == vk::LMenu || found == vk::RMenu;
    default:
        return found == asked;
    }
}

constexpr int middleButtonKey = 4;

} // namespace

X11InputBackend::X11InputBackend(const char* displayName) {
    display = XOpenDisplay(displayName);
    if (!display)
        return;
    int event = 0, error = 0, major = 0, minor = 0, opcode = 0;
    int xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    const bool xtest = XTestQueryExtension(display, &event, &error, &major, &minor);
    const bool xkb =
        XkbQueryExtension(display, &opcode, &xkbEventBase, &error, &xkbMajor, &xkbMinor);
    if (!xtest || !xkb)
        return;
    x11guard::reportDisplay(DisplayString(display));
    // Map changes by anyone, us included, arrive as events; the copy of the
    // map is read again before it is next used.
    const unsigned mapEvents = XkbMapNotifyMask | XkbNewKeyboardNotifyMask;
    XkbSelectEvents(display, XkbUseCoreKbd, mapEvents, mapEvents);
    keyboardMap = std::make_unique<X11KeyboardMap>(display);
    spares = std::make_unique<X11SpareKeycodes>(display);
    autoRepeat = std::make_unique<X11AutoRepeat>(display);
    restoreTrigger = std::make_unique<IdleTrigger>(restoreDelay, [this] { restoreLentKeys(); });
    unsigned delay = 0, interval = 0;
    if (XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval))
        repeatDelay = std::chrono::milliseconds(delay);
    usable = true;
}

X11InputBackend::~X11InputBackend() {
    restoreTrigger.reset();
    if (!display)
        return;
    if (usable) {
        std::lock_guard lock(mutex);
        // Nothing this program pressed may stay down once it is gone.
        for (const auto& [keycode, count] : pressed)
            XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        for (unsigned button : pressedButtons)
            XTestFakeButtonEvent(display, button, False, CurrentTime);
        XFlush(display);
        // The guard hears of a release only once it has left this process.
        for (const auto& [keycode, count] : pressed) {
            for (int i = 0; i < count; ++i) {
                spares->release(keycode, {});
                x11guard::report(x11guard::Report::KeyUp, keycode);
            }
        }
        for (unsigned button : pressedButtons)
            x11guard::report(x11guard::Report::ButtonUp, button);
        pressed.clear();
        heldVirtualKeys.clear();
        heldUnits.clear();
        autoRepeat->restoreAll();
        XSync(display, False);
        // The guard empties the lent keys once clients have read the map, so
        // this process need not wait for that before it ends.
        if (!x11guard::isActive()) {
            std::this_thread::sleep_until(spares->lastUse() + finalSettleTime);
            catchUpWithServer();
            spares->restore();
            XSync(display, False);
        }
    }
    XCloseDisplay(display);
}

QPoint X11InputBackend::cursorPosition() {
    if (!usable)
        return {};
    std::lock_guard lock(mutex);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY,
                  &mask);
    return {rootX, rootY};
}

// The protocol carries 16-bit coordinates, so a far point would wrap
// (40000 becomes -25536, which the server puts at 0): it goes to the edge of
// the screen it lies beyond instead.
void X11InputBackend::setCursorPosition(int x, int y) {
    if (!usable)
        return;
    std::lock_guard lock(mutex);
    Window root = 0;
    int rootX = 0, rootY = 0;
    unsigned width = 1, height = 1, border = 0, depth = 0;
    XGetGeometry(display, DefaultRootWindow(display), &root, &rootX, &rootY, &width, &height,
                 &border, &depth);
    x = std::clamp(x, 0, static_cast<int>(width) - 1);
    y = std::clamp(y, 0, static_cast<int>(height) - 1);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
}

bool X11InputBackend::sendMouseButton(MouseButton button, bool down) {
    if (!usable)
        return false;
    std::lock_guard lock(mutex);
    const unsigned xButton = button == MouseButton::Left ? Button1 : Button3;
    // The guard hears of a press before it can happen, of a release once it
    // has left this process: a kill in between leaves nothing unguarded.
    if (down) {
        pressedButtons.insert(xButton);
        x11guard::report(x11guard::Report::ButtonDown, xButton);
    }
    sent->sent(X11SentInput::Device::Button, xButton, down);
    XTestFakeButtonEvent(display, xButton, down, CurrentTime);
    XFlush(display);
    if (!down) {
        pressedButtons.erase(xButton);
        x11guard::report(x11guard::Report::ButtonUp, xButton);
    }
    XSync(display, False);
    return true;
}

bool X11InputBackend::sendKey(int virtualKey, bool down) {
    if (!down)
        releaseVirtualKey(virtualKey);
    else
        pressVirtualKey(virtualKey, false);
    return usable;
}

bool X11InputBackend::pressKeyFor(int virtualKey, std::chrono::milliseconds hold) {
    pressVirtualKey(virtualKey, hold + repeatMargin > repeatDelay);
    return usable;
}

void X11InputBackend::pressVirtualKey(int virtualKey, bool heldLong) {
    if (!usable)
        return;
    Lock lock(mutex);
    catchUpWithServer();
    if (heldVirtualKeys.count(virtualKey))
        return;
    if (KeyCode keycode = keycodeForVirtualKey(virtualKey, lock)) {
        // Lending a key may have let go of the lock: another thread may have
        // pressed this key meanwhile, and one press of it is all there is.
        if (heldVirtualKeys.count(virtualKey))
            return;
        // Only a key held past the repeat delay needs the server's repeat
        // off; typing and short presses change no keyboard control, which
        // would make the server notify every client.
        if (heldLong)
            autoRepeat->suppress(keycode);
        press(keycode);
        heldVirtualKeys[virtualKey] = {keycode, heldLong};
        XSync(display, False);
    }
}

void X11InputBackend::releaseVirtualKey(int virtualKey) {
    if (!usable)
        return;
    Lock lock(mutex);
    catchUpWithServer();
    auto held = heldVirtualKeys.find(virtualKey);
    if (held == heldVirtualKeys.end())
        return;
    release(held->second.keycode);
    if (held->second.repeatSuppressed)
        autoRepeat->restore(held->second.keycode);
    heldVirtualKeys.erase(held);
    XSync(display, False);
}

// The key the keyboard capture names so under the present layout; a code
// no key carries is pressed by its symbol, on a lent key if need be.
KeyCode X11InputBackend::keycodeForVirtualKey(int virtualKey, Lock& lock) {
    const int specific = virtualKey == vk::Shift     ? vk::LShift
                         : virtualKey == vk::Control ? vk::LControl
                         : virtualKey == vk::Menu    ? vk::LMenu
                                                     : virtualKey;
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    if (KeyCode keycode =
            keyboardMap->keycodeOfVirtualKey(specific, state.group, [this](KeyCode candidate) {
                return !spares->contains(candidate);
            }))
        return keycode;
    const KeySym keysym = keysymFromVirtualKey(virtualKey);
    return keysym == NoSymbol ? 0 : keycodeForKeysym(keysym, lock);
}

bool X11InputBackend::sendUnicodeUnit(char16_t unit, bool down) {
    if (!usable)
        return false;
    Lock lock(mutex);
    catchUpWithServer();
    const auto thread = std::this_thread::get_id();
    const auto key = std::make_pair(thread, unit);
    if (!down) {
        auto held = heldUnits.find(key);
        if (held != heldUnits.end()) {
            release(held->second);
            heldUnits.erase(held);
            XSync(display, False);
        }
        return true;
    }
    CodeUnitJoiner& joiner = joiners[thread];
    const std::u32string characters = joiner.press(unit);
    if (joiner.isIdle())
        joiners.erase(thread);
    for (size_t i = 0; i < characters.size(); ++i) {
        const KeyCode keycode = pressCharacter(characters[i], lock);
        if (!keycode)
            continue;
        // Only the last character stays down until its unit is released.
        if (i + 1 < characters.size()) {
            release(keycode);
        } else {
            if (auto stale = heldUnits.find(key); stale != heldUnits.end())
                release(stale->second);
            heldUnits[key] = keycode;
        }
    }
    XSync(display, False);
    return true;
}

void X11InputBackend::endTyping() {
    if (!usable)
        return;
    Lock lock(mutex);
    const auto thread = std::this_thread::get_id();
    joiners.erase(thread);
    bool released = false;
    std::erase_if(heldUnits, [&](const auto& held) {
        if (held.first.first != thread)
            return false;
        release(held.second);
        released = true;
        return true;
    });
    if (released)
        XSync(display, False);
}

bool X11InputBackend::isKeyDown(int virtualKey) {
    if (!usable)
        return false;
    std::lock_guard lock(mutex);
    if (virtualKey == vk::LButton || virtualKey == vk::RButton || virtualKey == middleButtonKey) {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned mask = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX,
                      &winY, &mask);
        const unsigned button = virtualKey == vk::LButton   ? Button1Mask
                                : virtualKey == vk::RButton ? Button3Mask
                                                            : Button2Mask;
        return mask & button;
    }
    catchUpWithServer();
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    const bool numLock = state.locked_mods & XkbKeysymToModifiers(display, XK_Num_Lock);
    char keys[32];
    XQueryKeymap(display, keys);
    for (int keycode = 0; keycode < 256; ++keycode) {
        if (!((keys[keycode / 8] >> (keycode % 8)) & 1))
            continue;
        const auto code = static_cast<KeyCode>(keycode);
        if (virtualKeyMatches(virtualKey, keyboardMap->virtualKeyOf(code, state.group, numLock)))
            return true;
    }
    return false;
}

void X11InputBackend::catchUpWithServer() {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == xkbEventBase)
            keyboardMap->invalidate();
    }
    if (keyboardMap->isStale()) {
        keyboardMap->refresh();
        spares->adopt(*keyboardMap);
    }
}

KeyCode X11InputBackend::keycodeForKeysym(KeySym keysym, Lock& lock) {
    const KeyCode keycode = keyboardMap->keycodeOfKeysym(
        keysym, [this](KeyCode candidate) { return !spares->contains(candidate); });
    return keycode ? keycode : lendSpare(keysym, lock);
}

KeyCode X11InputBackend::pressCharacter(char32_t character, Lock& lock) {
    if (isControl(character)) {
        const KeySym keysym = keysymForControl(character);
        const KeyCode keycode = keysym == NoSymbol ? 0 : keycodeForKeysym(keysym, lock);
        if (keycode)
            press(keycode);
        return keycode;
    }
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    // Clients capitalise under Caps Lock whenever the key's type does not use
    // Lock, as on lent keys, so a locked Caps Lock is lifted for the one press
    // of a character that has a case.
    const KeySym keysym = keysymForCharacter(character);
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    const bool liftCapsLock = (state.locked_mods & LockMask) && lower != upper;
    if (liftCapsLock)
        state.mods &= ~LockMask;
    const auto placement = keyboardMap->placeCharacter(
        character, state, [this](KeyCode candidate) { return !isOurs(candidate); });
    const KeyCode keycode = placement ? placement->keycode : lendSpare(keysym, lock);
    if (!keycode)
        return 0;
    if (liftCapsLock)
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, 0);
    // Latches last for exactly one key press: this one.
    if (placement && placement->latchMods)
        XkbLatchModifiers(display, XkbUseCoreKbd, placement->latchMods, placement->latchMods);
    if (placement && placement->latchGroup)
        XkbLatchGroup(display, XkbUseCoreKbd, placement->latchedGroup);
    press(keycode);
    if (liftCapsLock)
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, LockMask);
    return keycode;
}

KeyCode X11InputBackend::lendSpare(KeySym keysym, Lock& lock) {
    for (;;) {
        const X11SpareKeycodes::Grant grant =
            spares->acquire(keysym, X11SpareKeycodes::Clock::now());
        if (grant.keycode || grant.wait <= X11SpareKeycodes::Clock::duration::zero()) {
            restoreTrigger->arm();
            return grant.keycode;
        }
        // Every spare key was used moments ago: give clients time to read the
        // map, and other threads the connection, before one is taken over.
        lock.unlock();
        std::this_thread::sleep_for(grant.wait);
        lock.lock();
        catchUpWithServer();
    }
}

void X11InputBackend::press(KeyCode keycode) {
    ++pressed[keycode];
    spares->hold(keycode);
    x11guard::report(x11guard::Report::KeyDown, keycode);
    sent->sent(X11SentInput::Device::Key, keycode, true);
    XTestFakeKeyEvent(display, keycode, True, CurrentTime);
}

void X11InputBackend::release(KeyCode keycode) {
    sent->sent(X11SentInput::Device::Key, keycode, false);
    XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    XFlush(display);
    x11guard::report(x11guard::Report::KeyUp, keycode);
    spares->release(keycode, X11SpareKeycodes::Clock::now());
    auto it = pressed.find(keycode);
    if (it != pressed.end() && --it->second <= 0)
        pressed.erase(it);
    if (spares->contains(keycode))
        restoreTrigger->arm();
}

bool X11InputBackend::isOurs(KeyCode keycode) const {
    return spares->contains(keycode) || pressed.count(keycode);
}

void X11InputBackend::restoreLentKeys() {
    std::lock_guard lock(mutex);
    catchUpWithServer();
    if (spares->anyHeld()) {
        restoreTrigger->arm();
        return;
    }
    spares->restore();
    XSync(display, False);
}
