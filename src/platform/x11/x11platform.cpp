#include "platform/x11/x11platform.h"

X11Platform::X11Platform(const char* displayName) : backend(displayName) {}

std::unique_ptr<KeyboardHook> X11Platform::createKeyboardHook() {
    return fallback.createKeyboardHook();
}

GlobalHotkey& X11Platform::globalHotkey() { return fallback.globalHotkey(); }
