#pragma once

#include "platform/platform.h"

// The desktop services of a Windows session.
class Win32Platform : public Platform {
public:
    InputBackend& input() override;
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    std::unique_ptr<InputEventSource> createInputEventSource() override;
    std::unique_ptr<InputRecording> createInputRecording() override;
    GlobalHotkey& globalHotkey() override;
    std::unique_ptr<RunLock> createRunLock() override;
    WindowList& windowList() override;
};
