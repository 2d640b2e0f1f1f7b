#include "keys/keycapture.h"

#include "keys/keycombination.h"
#include "platform/inputbackend.h"
#include "platform/platform.h"

KeyCapture::KeyCapture()
    : KeyCapture(Platform::instance().createKeyboardHook(), Platform::instance().input()) {}

KeyCapture::KeyCapture(std::unique_ptr<KeyboardHook> hook, InputBackend& input)
    : hook(std::move(hook)), input(input) {}

KeyCapture::~KeyCapture() {
    // The filter calls back into this object; it must not outlive it.
    if (hook->isInstalled())
        hook->remove();
}

bool KeyCapture::install() {
    // Installing means a capture starts now; filters that take the whole
    // keyboard need to know before they register.
    hook->setCapturing(true);
    return hook->install([this](int code, int message, int virtualKey) {
        return hookProcedure(code, message, virtualKey);
    });
}

bool KeyCapture::remove() {
    return hook->remove();
}

bool KeyCapture::isInstalled() const {
    return hook->isInstalled();
}

int KeyCapture::lastError() const {
    return hook->lastError();
}

void KeyCapture::beginCapture() {
    capturedKey.store(0);
    capturedModifiers.store(0);
    heldModifiers.store(0);
    captureActive.store(1);
    hook->setCapturing(true);
}

void KeyCapture::endCapture() {
    captureActive.store(0);
    hook->setCapturing(false);
}

HookVerdict KeyCapture::hookProcedure(int code, int message, int virtualKey) {
    if (code != 0)
        return HookVerdict::PassOn;
    if (captureActive.load() != 1) {
        // An owner that cleared captureActive by hand leaves a whole-keyboard
        // filter capturing; let the keyboard go at the first event.
        hook->setCapturing(false);
        return HookVerdict::PassOn;
    }
    const int bit = heldBitOf(virtualKey);
    switch (static_cast<KeyMessage>(message)) {
    case KeyMessage::KeyDown:
    case KeyMessage::SysKeyDown:
        if (bit != 0) {
            heldModifiers.fetch_or(bit);
        } else {
            int held = heldModifiers.load();
            // Modifiers already down when the capture began were never seen.
            if (held == 0)
                held = currentModifierMask(input);
            capturedModifiers.store(held);
            capturedKey.store(virtualKey);
        }
        return HookVerdict::Swallow;
    case KeyMessage::KeyUp:
    case KeyMessage::SysKeyUp:
        if (bit == 0)
            return HookVerdict::Swallow;
        // A modifier pressed and released alone is a key by itself.
        if (capturedKey.load() == 0 && heldModifiers.load() == bit) {
            capturedModifiers.store(0);
            capturedKey.store(virtualKey);
        }
        heldModifiers.fetch_and(~bit);
        return HookVerdict::Swallow;
    }
    return HookVerdict::PassOn;
}
