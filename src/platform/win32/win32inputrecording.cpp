#include "platform/win32/win32inputrecording.h"

#include <array>

#include "platform/deadkeycomposition.h"
#include "platform/eventclock.h"
#include "platform/inputbackend.h"
#include "platform/win32/win32lowlevelhook.h"
#include "platform/win32/win32physicalpixels.h"
#include "platform/win32/windowsapi.h"

namespace {

// ToUnicodeEx leaves the keyboard state alone, dead keys included.
constexpr UINT keepKeyboardState = 0x4;

struct HookedEvent {
    bool keyboard = false;
    WPARAM message = 0;
    KBDLLHOOKSTRUCT key{};
    MSLLHOOKSTRUCT mouse{};
};

// One recording on its thread: the hooks queue into it, the loop converts.
// Everything happens on that thread (a low-level hook is called on the
// thread that set it, while it waits for messages), so nothing is locked.
class Session {
public:
    Session(InputRecordingListener& listener, std::vector<long long>* hookTicks);

    // Inside a hook procedure: copies the event and returns.
    void queue(bool keyboard, WPARAM message, LPARAM data);
    void convertQueued();

private:
    void keyChanged(const KBDLLHOOKSTRUCT& key);
    void mouseChanged(WPARAM message, const MSLLHOOKSTRUCT& mouse);
    QString textOf(const KBDLLHOOKSTRUCT& key);
    void setKeyState(int virtualKey, bool down);
    void report(RecordedInput::Kind kind, DWORD time, int code, QString text = {});

    InputRecordingListener& listener;
    std::vector<long long>* hookTicks;
    std::vector<HookedEvent> queued;
    // The keyboard as the recorded events left it, for ToUnicodeEx.
    std::array<BYTE, 256> keyState{};
    // Keys and buttons whose press was reported, by virtual-key code.
    std::array<bool, 256> reportedDown{};
    QPoint pointer;
    QPoint lastMove{-1, -1};
    // What the dead key pressed last types alone, until the next key.
    QString pendingAccent;
    EventClock clock;
};

thread_local Session* current = nullptr;

Session::Session(InputRecordingListener& listener, std::vector<long long>* hookTicks)
    : listener(listener), hookTicks(hookTicks) {
    queued.reserve(256);
    for (int key = 1; key < 256; ++key) {
        if (GetAsyncKeyState(key) & 0x8000)
            keyState[key] = 0x80;
        keyState[key] |= BYTE(GetKeyState(key) & 1);
    }
    POINT position{};
    GetCursorPos(&position);
    pointer = QPoint(position.x, position.y);
}

void Session::queue(bool keyboard, WPARAM message, LPARAM data) {
    LARGE_INTEGER start{};
    if (hookTicks)
        QueryPerformanceCounter(&start);
    HookedEvent event;
    event.keyboard = keyboard;
    event.message = message;
    if (keyboard)
        event.key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    else
        event.mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    queued.push_back(event);
    if (hookTicks) {
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&end);
        hookTicks->push_back(end.QuadPart - start.QuadPart);
    }
}

void Session::convertQueued() {
    // By index and by copy: a listener that waits for messages lets the
    // hooks queue more meanwhile.
    for (size_t i = 0; i < queued.size(); ++i) {
        const HookedEvent event = queued[i];
        if (event.keyboard)
            keyChanged(event.key);
        else
            mouseChanged(event.message, event.mouse);
    }
    queued.clear();
}

void Session::setKeyState(int virtualKey, bool down) {
    const auto set = [this](int key, bool on) {
        keyState[key] = BYTE((keyState[key] & 1) | (on ? 0x80 : 0));
    };
    if (down && !(keyState[virtualKey] & 0x80) &&
        (virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK || virtualKey == VK_SCROLL))
        keyState[virtualKey] ^= 1;
    set(virtualKey, down);
    const auto either = [this](int left, int right) {
        return ((keyState[left] | keyState[right]) & 0x80) != 0;
    };
    set(VK_SHIFT, either(VK_LSHIFT, VK_RSHIFT));
    set(VK_CONTROL, either(VK_LCONTROL, VK_RCONTROL));
    set(VK_MENU, either(VK_LMENU, VK_RMENU));
}

QString Session::textOf(const KBDLLHOOKSTRUCT& key) {
    // A character sent as such (SendInput's KEYEVENTF_UNICODE) comes as
    // VK_PACKET with the UTF-16 unit in place of the scan code.
    if (key.vkCode == VK_PACKET)
        return QString(QChar(char16_t(key.scanCode)));
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
    wchar_t typed[8] = {};
    const int count =
        ToUnicodeEx(key.vkCode, key.scanCode, keyState.data(), typed, 8, keepKeyboardState, layout);
    if (count < 0) {
        // A dead key: what it types alone, kept for the next key. A second
        // one types both accents.
        const QString accent = QString::fromWCharArray(typed, 1);
        if (pendingAccent.isEmpty()) {
            pendingAccent = accent;
            return {};
        }
        return composeDeadKey(std::exchange(pendingAccent, QString()), accent);
    }
    const QString text = QString::fromWCharArray(typed, count);
    if (text.isEmpty() || pendingAccent.isEmpty())
        return text;
    return composeDeadKey(std::exchange(pendingAccent, QString()), text);
}

void Session::keyChanged(const KBDLLHOOKSTRUCT& key) {
    const int code = int(key.vkCode & 0xff);
    const bool down = (key.flags & LLKHF_UP) == 0;
    const bool repeat = down && reportedDown[code];
    if (!repeat)
        setKeyState(code, down);
    if (down && !repeat) {
        reportedDown[code] = true;
        report(RecordedInput::Kind::KeyDown, key.time, code, textOf(key));
    } else if (!down && reportedDown[code]) {
        reportedDown[code] = false;
        report(RecordedInput::Kind::KeyUp, key.time, code);
    }
}

void Session::mouseChanged(WPARAM message, const MSLLHOOKSTRUCT& mouse) {
    // Low-level hooks give per-monitor aware positions: physical pixels.
    pointer = QPoint(mouse.pt.x, mouse.pt.y);
    int code = 0;
    bool down = false;
    switch (message) {
    case WM_MOUSEMOVE:
        if (pointer != lastMove) {
            lastMove = pointer;
            report(RecordedInput::Kind::PointerMove, mouse.time, 0);
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        code = vk::LButton;
        down = message == WM_LBUTTONDOWN;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        code = vk::RButton;
        down = message == WM_RBUTTONDOWN;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        code = vk::MButton;
        down = message == WM_MBUTTONDOWN;
        break;
    default:
        return;
    }
    if (reportedDown[code] == down)
        return;
    reportedDown[code] = down;
    report(down ? RecordedInput::Kind::ButtonDown : RecordedInput::Kind::ButtonUp, mouse.time,
           code);
}

void Session::report(RecordedInput::Kind kind, DWORD time, int code, QString text) {
    RecordedInput input;
    input.kind = kind;
    input.timeMs = clock.read(quint32(time));
    input.virtualKey = code;
    input.position = pointer;
    input.text = std::move(text);
    listener.recorded(input);
}

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current)
        current->queue(true, wParam, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current)
        current->queue(false, wParam, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool Win32InputRecording::run(InputRecordingListener& listener) {
    // Makes the thread's message queue, so that interrupt can post to it.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId.store(GetCurrentThreadId());
    const PhysicalPixels physical;
    Session session(listener, hookTicks);
    current = &session;
    const LowLevelHook keyboard(WH_KEYBOARD_LL, keyboardProc);
    const LowLevelHook mouse(WH_MOUSE_LL, mouseProc);
    const bool hooked = keyboard.handle && mouse.handle;
    // The hooks are called while PeekMessage takes the messages sent to the
    // thread; what they queued is converted once it returns. So the hooks
    // need not wake the loop with a message of their own, which costs a
    // round trip to the server under Wine.
    bool quit = false;
    while (hooked && !quit && !interrupted.load()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            quit = message.message == WM_QUIT;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        session.convertQueued();
    }
    current = nullptr;
    return hooked;
}

void Win32InputRecording::interrupt() {
    interrupted.store(true);
    if (const DWORD thread = threadId.load())
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
}
