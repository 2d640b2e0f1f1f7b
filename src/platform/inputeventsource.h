#pragma once

// Told of every key and mouse button that goes down or up on the desktop,
// from any device or client (synthesised input included). Keys are Windows
// virtual-key codes as keyboard capture names them (left/right codes for
// modifiers); buttons are VK_LBUTTON, VK_RBUTTON and VK_MBUTTON.
class InputEventListener {
public:
    virtual ~InputEventListener() = default;
    virtual void inputChanged(int virtualKey, bool down) = 0;
    // Everything already down when the source started has been reported;
    // from now on each call is a change as it happens.
    virtual void inputSynced() = 0;
};

// The desktop's key and button presses as events, so that a press is seen
// however short it is. Runs on the thread that calls run().
class InputEventSource {
public:
    virtual ~InputEventSource() = default;

    // Reports what is down now, then every change, until interrupt(); false
    // at once, having reported nothing, when this session offers no events.
    virtual bool run(InputEventListener& listener) = 0;
    // From any thread, also before run: run returns as soon as it can.
    virtual void interrupt() = 0;
};
