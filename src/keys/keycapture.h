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

    // Registers the filter (if it is not yet) ready to capture: filters that
    // take the whole keyboard (X11) take it now, so the result is honest
    // whichever of install and beginCapture comes first.
    bool install();
    bool remove();
    bool isInstalled() const;
    int lastError() const;

    // Resets the three recorded values and sets captureActive to 1.
    void beginCapture();
    // Sets captureActive to 0 and lets the keyboard go. Owners should use
    // these two rather than write captureActive themselves; a filter left
    // capturing while inactive lets go at the next key event.
    void endCapture();

    HookVerdict hookProcedure(int code, int message, int virtualKey);

private:
    std::unique_ptr<KeyboardHook> hook;
    InputBackend& input;
};
