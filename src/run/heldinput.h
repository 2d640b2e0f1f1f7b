#pragma once

#include <array>
#include <atomic>
#include <functional>

#include "platform/inputbackend.h"

// Passes every call on to the platform's backend and remembers which keys and
// buttons it last pressed and has not released, so that whoever ends a run can
// make sure nothing is left held down. Lock-free: operation threads share it.
class HeldInput : public InputBackend {
public:
    explicit HeldInput(InputBackend& backend) : backend(backend) {}

    bool canSynthesize() const override { return backend.canSynthesize(); }
    QPoint cursorPosition() override { return backend.cursorPosition(); }
    void setCursorPosition(int x, int y) override { backend.setCursorPosition(x, y); }
    bool sendMouseButton(MouseButton button, bool down) override;
    bool sendKey(int virtualKey, bool down) override;
    bool pressKeyFor(int virtualKey, std::chrono::milliseconds hold) override;
    bool sendUnicodeUnit(char16_t unit, bool down) override;
    void endTyping() override { backend.endTyping(); }
    bool isKeyDown(int virtualKey) override { return backend.isKeyDown(virtualKey); }

    // Called on the sending thread whenever the system refuses an event. Set
    // it before any operation runs.
    void setRefusalHandler(std::function<void()> handler) { onRefused = std::move(handler); }

    // Releases whatever is still held; callable at any time from any thread.
    // An operation still running releases what it presses afterwards itself.
    void releaseHeld();
    // Stored modifier mask of the modifier keys held now.
    int heldModifiers() const;

private:
    static constexpr int keyCount = 256;

    void markKey(int virtualKey, bool down);
    bool checked(bool sent);

    InputBackend& backend;
    std::array<std::atomic<bool>, keyCount> keyHeld{};
    std::array<std::atomic<bool>, 2> buttonHeld{};
    std::function<void()> onRefused;
};
