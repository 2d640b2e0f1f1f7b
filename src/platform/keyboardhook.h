#pragma once

#include <functional>

// Messages a system-wide keyboard filter reports, numbered as on Windows.
enum class KeyMessage : int { KeyDown = 256, KeyUp = 257, SysKeyDown = 260, SysKeyUp = 261 };

enum class HookVerdict { PassOn, Swallow };

// Called for every key event on the desktop: event code (0 for an action
// event), message, Windows virtual-key code (left/right codes for modifiers).
using KeyHookProcedure = std::function<HookVerdict(int code, int message, int virtualKey)>;

// A system-wide keyboard filter that sees every key event before any
// application does and can swallow it.
class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;

    // Registers the filter if it is not registered yet; true when it is
    // registered afterwards.
    virtual bool install(KeyHookProcedure procedure) = 0;
    // Unregisters it; false when none was registered or the platform refused.
    virtual bool remove() = 0;
    virtual bool isInstalled() const = 0;
    // The platform's error number of the last failed install.
    virtual int lastError() const = 0;
    // Whether events are being captured right now. Platforms that can only
    // filter by taking the whole keyboard (X11) hold it only while capturing,
    // so an idle but registered filter never steals the user's typing.
    virtual void setCapturing(bool capturing) { (void)capturing; }
};
