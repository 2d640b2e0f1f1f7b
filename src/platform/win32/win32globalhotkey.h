#pragma once

#include "platform/globalhotkey.h"

// RegisterHotKey for the GUI thread (no window); WM_HOTKEY arrives in the
// thread's queue and reaches the application's native event filters.
class Win32GlobalHotkey : public GlobalHotkey {
public:
    ~Win32GlobalHotkey() override;

    bool registerHotkey() override;
    void unregisterHotkey() override;
    bool isHotkeyEvent(const QByteArray& eventType, void* message) const override;

private:
    bool registered = false;
};
