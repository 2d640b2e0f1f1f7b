#include "run/heldinput.h"

#include "run/modifierstate.h"

void HeldInput::sendMouseButton(MouseButton button, bool down) {
    buttonHeld[button == MouseButton::Left ? 0 : 1].store(down);
    backend.sendMouseButton(button, down);
}

void HeldInput::markKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < keyCount)
        keyHeld[virtualKey].store(down);
}

void HeldInput::sendKey(int virtualKey, bool down) {
    markKey(virtualKey, down);
    backend.sendKey(virtualKey, down);
}

void HeldInput::pressKeyFor(int virtualKey, std::chrono::milliseconds hold) {
    markKey(virtualKey, true);
    backend.pressKeyFor(virtualKey, hold);
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
