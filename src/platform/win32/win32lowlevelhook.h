#pragma once

#include "platform/win32/windowsapi.h"

// A low-level keyboard or mouse hook set on the calling thread, removed when
// it goes; a null handle when Windows refused it.
struct LowLevelHook {
    LowLevelHook(int type, HOOKPROC procedure)
        : handle(SetWindowsHookExW(type, procedure, GetModuleHandleW(nullptr), 0)) {}
    ~LowLevelHook() {
        if (handle)
            UnhookWindowsHookEx(handle);
    }
    LowLevelHook(const LowLevelHook&) = delete;
    LowLevelHook& operator=(const LowLevelHook&) = delete;

    const HHOOK handle;
};
