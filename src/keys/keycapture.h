#pragma once

#include <atomic>
#include <memory>

#include "platform/keyboardhook.h"

class InputBackend;

// One system-wide keyboard capture channel. While captureActive is 1 every key
// event on the desktop is swallowed and the combination pressed is recorded
// for the owner, who polls capturedKey.
class KeyCapture {
public:
    // Defaults to the platform's hook and input backend.
    KeyCapture();
    KeyCapture(std::unique_ptr<KeyboardHook> hook, InputBackend& input);
    ~KeyCapture();

    std::atomic<int> capturedKey{0};
    std::atomic<int> capturedModifiers{0};
    std::atomic<int> heldModifiers{0};
    std::atomic<int> captureActive{0};

    bool install();
    bool remove();
    bool isInstalled() const;
    int lastError() const;

    // Resets the three recorded values and sets captureActive to 1.
    void beginCapture();
    // Sets captureActive to 0.
    void endCapture();

    HookVerdict hookProcedure(int code, int message, int virtualKey);

private:
    std::unique_ptr<KeyboardHook> hook;
    InputBackend& input;
};
