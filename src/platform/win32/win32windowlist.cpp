#include "platform/win32/win32windowlist.h"

#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/windowsapi.h"

namespace {

QString titleOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return QString::fromWCharArray(text.data(), copied);
}

TopLevelWindow describe(HWND window) {
    return {reinterpret_cast<WindowHandle>(window), window ? titleOf(window) : QString()};
}

BOOL CALLBACK collect(HWND window, LPARAM found) {
    if (IsWindowVisible(window))
        if (TopLevelWindow described = describe(window); !described.title.isEmpty())
            reinterpret_cast<std::vector<TopLevelWindow>*>(found)->push_back(described);
    return TRUE;
}

// The watches running now. A WinEvent procedure takes no context, and may
// be called on the thread that caused the event where that thread belongs
// to this process, so every watch is told, under one lock.
std::mutex watchesMutex;
std::vector<Win32ActiveWindowWatch*> watches;

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (event == EVENT_OBJECT_NAMECHANGE &&
        (object != OBJID_WINDOW || child != CHILDID_SELF || window != GetForegroundWindow()))
        return;
    // Read before the lock: reading a title sends a message to the window's
    // thread, which may be waiting for the lock itself.
    const TopLevelWindow now = describe(GetForegroundWindow());
    std::lock_guard lock(watchesMutex);
    for (Win32ActiveWindowWatch* watch : watches)
        watch->report(now);
}

// Wine tells WinEvent hooks of no other program's foreground or title
// change, so under Wine a watch also looks for itself this often.
DWORD lookInterval() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    return wine ? 20 : INFINITE;
}

} // namespace

std::vector<TopLevelWindow> Win32WindowList::windows() {
    std::vector<TopLevelWindow> found;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

TopLevelWindow Win32WindowList::activeWindow() {
    return describe(GetForegroundWindow());
}

// Windows lets a process take the foreground only in documented cases; one
// is that it sent the last input. A run is the one synthesising input, so an
// input event that does nothing makes it so when the first request fails.
bool Win32WindowList::activate(WindowHandle handle) {
    const HWND window = reinterpret_cast<HWND>(handle);
    if (!IsWindow(window))
        return false;
    // Asynchronous, so that a window that does not answer cannot hold the run.
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    if (SetForegroundWindow(window) && GetForegroundWindow() == window)
        return true;
    INPUT nothing{};
    nothing.type = INPUT_MOUSE;
    SendInput(1, &nothing, sizeof nothing);
    return SetForegroundWindow(window) != FALSE;
}

TopLevelWindow Win32WindowList::windowUnderPointer() {
    POINT point{};
    if (!GetCursorPos(&point))
        return {};
    const HWND window = WindowFromPoint(point);
    return describe(window ? GetAncestor(window, GA_ROOT) : nullptr);
}

std::unique_ptr<ActiveWindowWatch> Win32WindowList::createActiveWindowWatch() {
    return std::make_unique<Win32ActiveWindowWatch>();
}

void Win32ActiveWindowWatch::report(const TopLevelWindow& now) {
    if (now == lastReported)
        return;
    lastReported = now;
    listener->activeWindowChanged(now);
}

bool Win32ActiveWindowWatch::run(ActiveWindowListener& target) {
    MSG message;
    // The queue exists before interrupt can post to it.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId.store(GetCurrentThreadId());
    if (interrupted.load())
        return true;
    const HWINEVENTHOOK foreground =
        SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, onWinEvent, 0, 0,
                        WINEVENT_OUTOFCONTEXT);
    const HWINEVENTHOOK names = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE,
                                                nullptr, onWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    const bool hooked = foreground && names;
    // Read after the hooks are set, so no change between the two is lost.
    if (hooked) {
        const TopLevelWindow first = describe(GetForegroundWindow());
        std::lock_guard lock(watchesMutex);
        listener = &target;
        lastReported = first;
        listener->activeWindowChanged(first);
        watches.push_back(this);
    }
    const DWORD interval = lookInterval();
    bool quit = false;
    while (hooked && !quit && !interrupted.load()) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, interval, QS_ALLINPUT) == WAIT_TIMEOUT) {
            const TopLevelWindow now = describe(GetForegroundWindow());
            std::lock_guard lock(watchesMutex);
            report(now);
            continue;
        }
        while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            quit = message.message == WM_QUIT;
            DispatchMessageW(&message);
        }
    }
    for (HWINEVENTHOOK hook : {foreground, names})
        if (hook)
            UnhookWinEvent(hook);
    std::lock_guard lock(watchesMutex);
    std::erase(watches, this);
    return hooked;
}

void Win32ActiveWindowWatch::interrupt() {
    interrupted.store(true);
    if (const unsigned long thread = threadId.load())
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
}
