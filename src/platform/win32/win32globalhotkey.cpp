#include "platform/win32/win32globalhotkey.h"

#include <QDebug>

#include "platform/win32/windowsapi.h"

Win32GlobalHotkey::~Win32GlobalHotkey() {
    unregisterHotkey();
}

bool Win32GlobalHotkey::registerHotkey() {
    if (registered)
        return true;
    if (!RegisterHotKey(nullptr, hotkeyId, MOD_CONTROL | MOD_ALT, 'G')) {
        qWarning() << "RegisterHotKey failed.";
        return false;
    }
    registered = true;
    return true;
}

void Win32GlobalHotkey::unregisterHotkey() {
    if (!registered)
        return;
    UnregisterHotKey(nullptr, hotkeyId);
    registered = false;
}

bool Win32GlobalHotkey::isHotkeyEvent(const QByteArray& eventType, void* message) const {
    if (!message || (eventType != "windows_generic_MSG" && eventType != "windows_dispatcher_MSG"))
        return false;
    const auto* msg = static_cast<const MSG*>(message);
    return msg->message == WM_HOTKEY && static_cast<int>(msg->wParam) == hotkeyId;
}
