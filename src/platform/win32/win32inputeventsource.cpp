#include "platform/win32/win32inputeventsource.h"

#include "platform/inputbackend.h"
#include "platform/win32/win32inputbackend.h"
#include "platform/win32/win32lowlevelhook.h"
#include "platform/win32/windowsapi.h"

namespace {

// A hook must return at once, and nothing may synthesise input from inside
// it (under Wine that never returns): the hooks only post each event to
// their thread's queue, and the listener hears of it after they returned.
constexpr UINT inputMessage = WM_APP + 1; // wParam: virtual key, lParam: down

void post(int virtualKey, bool down) {
    PostThreadMessageW(GetCurrentThreadId(), inputMessage, static_cast<WPARAM>(virtualKey),
                       down ? 1 : 0);
}

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    // This program's own input (the run's) is not the user's.
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && record && record->dwExtraInfo != Win32InputBackend::ownInputTag)
        post(static_cast<int>(record->vkCode), (record->flags & LLKHF_UP) == 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* record = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && record && record->dwExtraInfo != Win32InputBackend::ownInputTag) {
        switch (wParam) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            post(vk::LButton, wParam == WM_LBUTTONDOWN);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            post(vk::RButton, wParam == WM_RBUTTONDOWN);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            post(vk::MButton, wParam == WM_MBUTTONDOWN);
            break;
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool Win32InputEventSource::run(InputEventListener& listener) {
    // Makes the thread's message queue, so that interrupt can post to it.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId.store(GetCurrentThreadId());
    const LowLevelHook keyboard(WH_KEYBOARD_LL, keyboardProc);
    const LowLevelHook mouse(WH_MOUSE_LL, mouseProc);
    if (!keyboard.handle || !mouse.handle)
        return false;
    // What is already down (bit 0x8000: down now). The hook reports Shift,
    // Ctrl and Alt by their left/right codes only, so the generic codes,
    // which it would never release, are left out.
    for (int key = 1; key < 256; ++key)
        if (key != vk::Shift && key != vk::Control && key != vk::Menu &&
            (GetAsyncKeyState(key) & 0x8000))
            listener.inputChanged(key, true);
    listener.inputSynced();
    while (!interrupted.load()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (message.message == inputMessage) {
            listener.inputChanged(static_cast<int>(message.wParam), message.lParam != 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

void Win32InputEventSource::interrupt() {
    interrupted.store(true);
    if (const DWORD thread = threadId.load())
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
}
