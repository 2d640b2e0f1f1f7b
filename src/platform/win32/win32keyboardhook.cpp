#include "platform/win32/win32keyboardhook.h"

#include <vector>

#include "platform/win32/win32inputbackend.h"
#include "platform/win32/windowsapi.h"

namespace {

// Touched only on the GUI thread: Windows calls a low-level hook on the
// thread that set it, while that thread retrieves messages.
HHOOK sharedHook = nullptr;
std::vector<Win32KeyboardHook*> installedHooks;

LRESULT CALLBACK lowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // This program's own input is neither captured nor swallowed.
    if (code == HC_ACTION && record && record->dwExtraInfo != Win32InputBackend::ownInputTag) {
        if (Win32KeyboardHook::dispatch(code, static_cast<int>(wParam),
                                        static_cast<int>(record->vkCode)))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

Win32KeyboardHook::~Win32KeyboardHook() {
    remove();
}

bool Win32KeyboardHook::install(KeyHookProcedure newProcedure) {
    if (installed)
        return true;
    if (!sharedHook) {
        sharedHook =
            SetWindowsHookExW(WH_KEYBOARD_LL, lowLevelKeyboardProc, GetModuleHandleW(nullptr), 0);
        if (!sharedHook) {
            error = static_cast<int>(GetLastError());
            return false;
        }
    }
    procedure = std::move(newProcedure);
    installedHooks.push_back(this);
    installed = true;
    return true;
}

bool Win32KeyboardHook::remove() {
    if (!installed)
        return false;
    installed = false;
    std::erase(installedHooks, this);
    procedure = nullptr;
    if (!installedHooks.empty())
        return true;
    const bool unhooked = UnhookWindowsHookEx(sharedHook) != 0;
    sharedHook = nullptr;
    return unhooked;
}

bool Win32KeyboardHook::isInstalled() const {
    return installed;
}

int Win32KeyboardHook::lastError() const {
    return error;
}

bool Win32KeyboardHook::dispatch(int code, int message, int virtualKey) {
    // By index from the newest: a procedure may remove hooks while it runs.
    for (std::size_t index = installedHooks.size(); index > 0; --index) {
        if (index > installedHooks.size())
            continue;
        const KeyHookProcedure& procedure = installedHooks[index - 1]->procedure;
        if (procedure && procedure(code, message, virtualKey) == HookVerdict::Swallow)
            return true;
    }
    return false;
}
