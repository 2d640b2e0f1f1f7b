#pragma once

#include "platform/platform.h"

// The platform of a session that offers no desktop access (offscreen, or
// Wayland without XWayland): nothing can be synthesised, captured or grabbed.
class NullPlatform : public Platform {
public:
    InputBackend& input() override;
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    std::unique_ptr<InputEventSource> createInputEventSource() override { return nullptr; }
    std::unique_ptr<InputRecording> createInputRecording() override { return nullptr; }
    GlobalHotkey& globalHotkey() override;
    std::unique_ptr<RunLock> createRunLock() override;
    WindowList& windowList() override;
};
