#pragma once

#include "platform/keyboardhook.h"

// The low-level keyboard hook (WH_KEYBOARD_LL) of the whole desktop. All
// installed instances share one registration on the GUI thread, whose
// procedure hands each event to them, newest first, as a chain of separate
// hooks would; the first that swallows it ends the chain.
class Win32KeyboardHook : public KeyboardHook {
public:
    ~Win32KeyboardHook() override;

    bool install(KeyHookProcedure procedure) override;
    bool remove() override;
    bool isInstalled() const override;
    // GetLastError of the last failed SetWindowsHookExW.
    int lastError() const override;

    // Offers one event to the installed instances; true when one swallowed it.
    static bool dispatch(int code, int message, int virtualKey);

private:
    KeyHookProcedure procedure;
    bool installed = false;
    int error = 0;
};
