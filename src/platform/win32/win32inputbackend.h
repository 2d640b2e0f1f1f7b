#pragma once

#include "platform/inputbackend.h"

// The Win32 user-input services. Each call is thread-safe in Windows itself.
class Win32InputBackend : public InputBackend {
public:
    bool canSynthesize() const override;
    QPoint cursorPosition() override;
    void setCursorPosition(int x, int y) override;
    void sendMouseButton(MouseButton button, bool down) override;
    void sendKey(int virtualKey, bool down) override;
    void sendUnicodeUnit(char16_t unit, bool down) override;
    bool isKeyDown(int virtualKey) override;
};
