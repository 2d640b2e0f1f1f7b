#pragma once

#include <QByteArray>

// The system-wide hotkey Ctrl+Alt+G used to pick screen coordinates.
class GlobalHotkey {
public:
    static constexpr int hotkeyId = 1001;

    virtual ~GlobalHotkey() = default;

    // False (after logging "RegisterHotKey failed.") when another program owns
    // the combination or the session has no way to register it.
    virtual bool registerHotkey() = 0;
    virtual void unregisterHotkey() = 0;
    // Whether a native event seen by the application's native event filter is
    // the hotkey being pressed.
    virtual bool isHotkeyEvent(const QByteArray& eventType, void* message) const = 0;
};
