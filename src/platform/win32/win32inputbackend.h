#pragma once

#include "platform/inputbackend.h"

struct tagINPUT;

// The Win32 user-input services. Each call is thread-safe in Windows itself.
// Pointer positions are physical pixels on every thread, whatever its DPI
// awareness. Keys go out with the scan code and extended flag of the
// foreground window's layout, as a keyboard would send them.
class Win32InputBackend : public InputBackend {
public:
    // Every event this program sends carries this as its extra information,
    // so that its hooks tell it from the user's and other programs' input.
    static constexpr unsigned long long ownInputTag = 0x4b657374; // "Kest"

    // SendInput's signature; tests put a refusing one in its place.
    using SendInputFunction = unsigned (*)(unsigned count, tagINPUT* inputs, int size);

    Win32InputBackend();
    explicit Win32InputBackend(SendInputFunction sendInput);

    bool canSynthesize() const override;
    QPoint cursorPosition() override;
    void setCursorPosition(int x, int y) override;
    bool sendMouseButton(MouseButton button, bool down) override;
    bool sendKey(int virtualKey, bool down) override;
    bool sendUnicodeUnit(char16_t unit, bool down) override;
    bool isKeyDown(int virtualKey) override;

private:
    // A refused event is sent once more: the queue may have been busy or
    // blocked for a moment. False when that is refused too.
    bool inject(tagINPUT& input);

    SendInputFunction sendInput;
};
