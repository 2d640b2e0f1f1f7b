#pragma once

#include "platform/nullplatform.h"
#include "platform/platform.h"
#include "platform/x11/x11inputbackend.h"

// The desktop services of an X11 session.
class X11Platform : public Platform {
public:
    // Opens its own connection to the named display (DISPLAY when null).
    explicit X11Platform(const char* displayName = nullptr);

    // Whether the display could be opened and offers what input needs.
    bool isUsable() const { return backend.canSynthesize(); }

    InputBackend& input() override { return backend; }
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    GlobalHotkey& globalHotkey() override;

private:
    X11InputBackend backend;
    NullPlatform fallback;
};
