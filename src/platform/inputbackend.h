#pragma once

#include <chrono>

#include <QPoint>

enum class MouseButton { Left, Right };

// Windows virtual-key codes that the run engine and the key capture name.
namespace vk {
constexpr int LButton = 1;
constexpr int RButton = 2;
constexpr int MButton = 4;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;
constexpr int LWin = 91;
constexpr int RWin = 92;
constexpr int LShift = 160;
constexpr int RShift = 161;
constexpr int LControl = 162;
constexpr int RControl = 163;
constexpr int LMenu = 164;
constexpr int RMenu = 165;
} // namespace vk

// The six input operations everything that touches the desktop goes through.
// Keys are Windows virtual-key codes on every platform, so project files stay
// interchangeable. Every operation may be called from several threads at once.
class InputBackend {
public:
    virtual ~InputBackend() = default;

    // False when this session offers no way to synthesise input (no X display,
    // Wayland without XWayland); every other operation is then a no-op.
    virtual bool canSynthesize() const = 0;

    virtual QPoint cursorPosition() = 0;
    virtual void setCursorPosition(int x, int y) = 0;
    // The senders return false when the system refused the event even after
    // the backend tried again; whoever synthesises should then stop.
    virtual bool sendMouseButton(MouseButton button, bool down) = 0;
    virtual bool sendKey(int virtualKey, bool down) = 0;
    // Presses a key that is to stay down for `hold`, released with sendKey.
    // Where the server repeats held keys (X11) a hold longer than its repeat
    // delay switches that off for the key until it is released.
    virtual bool pressKeyFor(int virtualKey, std::chrono::milliseconds hold) {
        (void)hold;
        return sendKey(virtualKey, true);
    }
    // One UTF-16 code unit typed into the focused window whatever the layout.
    virtual bool sendUnicodeUnit(char16_t unit, bool down) = 0;
    // The typing on this thread is over, typed out or stopped: a unit still
    // waiting for the next one (half a surrogate pair, the CR of a CR LF) is
    // dropped, so nothing carries over into later typing on a thread that
    // happens to get the same id.
    virtual void endTyping() {}
    // True while the key (or VK_LBUTTON / VK_RBUTTON) is physically down.
    virtual bool isKeyDown(int virtualKey) = 0;
};
