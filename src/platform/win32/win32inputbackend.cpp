#include "platform/win32/win32inputbackend.h"

#include <QDebug>

#include "platform/win32/win32physicalpixels.h"
#include "platform/win32/windowsapi.h"

namespace {

// Keys that sit on the extended part of the keyboard. Without the flag the
// arrows, Home, End and the rest would be read as their number-pad twins, and
// Shift with them would not select.
bool isExtendedKey(int virtualKey) {
    switch (virtualKey) {
    case VK_RMENU:
    case VK_RCONTROL:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_NUMLOCK:
    case VK_CANCEL:
    case VK_SNAPSHOT:
    case VK_DIVIDE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
        return true;
    default:
        return false;
    }
}

// The layout of the window the key goes to; each thread has its own.
HKL foregroundLayout() {
    const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    return GetKeyboardLayout(thread);
}

unsigned callSendInput(unsigned count, tagINPUT* inputs, int size) {
    return SendInput(count, inputs, size);
}

} // namespace

Win32InputBackend::Win32InputBackend() : Win32InputBackend(callSendInput) {}

Win32InputBackend::Win32InputBackend(SendInputFunction sendInput) : sendInput(sendInput) {}

bool Win32InputBackend::canSynthesize() const {
    return true;
}

QPoint Win32InputBackend::cursorPosition() {
    PhysicalPixels physical;
    POINT point{};
    if (!GetCursorPos(&point))
        return {};
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

void Win32InputBackend::setCursorPosition(int x, int y) {
    PhysicalPixels physical;
    SetCursorPos(x, y);
}

bool Win32InputBackend::sendMouseButton(MouseButton button, bool down) {
    // The button goes down where the pointer is: no position, no move flag.
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (button == MouseButton::Left)
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    else
        input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    return inject(input);
}

bool Win32InputBackend::sendKey(int virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(
        MapVirtualKeyExW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC, foregroundLayout()));
    input.ki.dwFlags =
        (down ? 0 : KEYEVENTF_KEYUP) | (isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    return inject(input);
}

bool Win32InputBackend::sendUnicodeUnit(char16_t unit, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    return inject(input);
}

bool Win32InputBackend::isKeyDown(int virtualKey) {
    // The most significant bit: down now, not "pressed since the last call".
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32InputBackend::inject(INPUT& input) {
    if (input.type == INPUT_MOUSE)
        input.mi.dwExtraInfo = ownInputTag;
    else
        input.ki.dwExtraInfo = ownInputTag;
    for (int attempt = 0; attempt < 2; ++attempt)
        if (sendInput(1, &input, sizeof(INPUT)) == 1)
            return true;
    qWarning() << "SendInput refused an event twice, error" << GetLastError();
    return false;
}
