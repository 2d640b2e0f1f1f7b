#include "run/heldinput.h"

#include "run/modifierstate.h"

bool HeldInput::sendMouseButton(MouseButton button, bool down) {
    buttonHeld[button == MouseButton::Left ? 0 : 1].store(down);
    return checked(backend.sendMouseButton(button, down));
}

void HeldInput::markKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < keyCount)
        keyHeld[virtualKey].store(down);
}

bool HeldInput::sendKey(int virtualKey, bool down) {
    markKey(virtualKey, down);
    return checked(backend.sendKey(virtualKey, down));
}

bool HeldInput::pressKeyFor(int virtualKey, std::chrono::milliseconds hold) {
    markKey(virtualKey, true);
    return checked(backend.pressKeyFor(virtualKey, hold));
}

bool HeldInput::sendUnicodeUnit(char16_t unit, bool down) {
    return checked(backend.sendUnicodeUnit(unit, down));
}

bool HeldInput::checked(bool sent) {
    if (!sent && onRefused)
        onRefused();
    return sent;
}

void HeldInput::releaseHeld() {
    for (int key = 0; key < keyCount; ++key)
        if (keyHeld[key].exchange(false))
            backend.sendKey(key, false);
    if (buttonHeld[0].exchange(false))
        backend.sendMouseButton(MouseButton::Left, false);
    if (buttonHeld[1].exchange(false))
        backend.sendMouseButton(MouseButton::Right, false);
}

int HeldInput::heldModifiers() const {
    return storedModifiersDown([this](int key) { return keyHeld[key].load(); });
}
