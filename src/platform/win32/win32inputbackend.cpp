#include "platform/win32/win32inputbackend.h"

#include "platform/win32/windowsapi.h"

bool Win32InputBackend::canSynthesize() const {
    return true;
}

QPoint Win32InputBackend::cursorPosition() {
    POINT point{};
    if (!GetCursorPos(&point))
        return {};
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

void Win32InputBackend::setCursorPosition(int x, int y) {
    SetCursorPos(x, y);
}

void Win32InputBackend::sendMouseButton(MouseButton button, bool down) {
    DWORD flags = 0;
    if (button == MouseButton::Left)
        flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    else
        flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    mouse_event(flags, 0, 0, 0, 0);
}

void Win32InputBackend::sendKey(int virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = 0;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    SendInput(1, &input, sizeof(INPUT));
}

void Win32InputBackend::sendUnicodeUnit(char16_t unit, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = 0;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    SendInput(1, &input, sizeof(INPUT));
}

bool Win32InputBackend::isKeyDown(int virtualKey) {
    // The most significant bit: down now, not "pressed since the last call".
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
