#include "platform/win32/win32platform.h"

#include "platform/win32/win32globalhotkey.h"
#include "platform/win32/win32inputbackend.h"
#include "platform/win32/win32inputeventsource.h"
#include "platform/win32/win32inputrecording.h"
#include "platform/win32/win32keyboardhook.h"
#include "platform/win32/win32runlock.h"
#include "platform/win32/win32windowlist.h"

InputBackend& Win32Platform::input() {
    static Win32InputBackend input;
    return input;
}

std::unique_ptr<KeyboardHook> Win32Platform::createKeyboardHook() {
    return std::make_unique<Win32KeyboardHook>();
}

GlobalHotkey& Win32Platform::globalHotkey() {
    static Win32GlobalHotkey hotkey;
    return hotkey;
}

std::unique_ptr<InputEventSource> Win32Platform::createInputEventSource() {
    return std::make_unique<Win32InputEventSource>();
}

std::unique_ptr<InputRecording> Win32Platform::createInputRecording() {
    return std::make_unique<Win32InputRecording>();
}

std::unique_ptr<RunLock> Win32Platform::createRunLock() {
    return std::make_unique<Win32RunLock>();
}

WindowList& Win32Platform::windowList() {
    static Win32WindowList windows;
    return windows;
}
