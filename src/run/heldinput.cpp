#include "run/heldinput.h"

bool HeldInput::sendMouseButton(MouseButton button, bool down) {
    buttonHeld[button == MouseButton::Left ? 0 : 1].store(down);
    return checked(backend.sendMouseButton(button, down));
}

bool HeldInput::sendKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < keyCount)
        keyHeld[virtualKey].store(down);
    return checked(backend.sendKey(virtualKey, down));
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
