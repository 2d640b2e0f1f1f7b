#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

class X11KeyboardMap;

// Keys the keyboard map leaves empty, lent out in rotation to keysyms the map
// lacks. A key keeps its keysym until it is needed for another one, and the
// least recently used goes first, so a client that reads the map late still
// finds the keysym it was pressed with.
class X11SpareKeycodes {
public:
    using Clock = std::chrono::steady_clock;

    // A key that carries the keysym now, or how long to wait before one can be
    // taken over; neither when every spare key is held down.
    struct Grant {
        KeyCode keycode = 0;
        Clock::duration wait{};
    };

    // A key is not taken over sooner than this after its last use, so clients
    // have read the map before it changes again.
    static constexpr std::chrono::milliseconds minimumReuseAge{50};

    explicit X11SpareKeycodes(Display* display) : display(display) {}

    // Takes in the map the server has now: keys someone else gave keysyms
    // leave the pool, keys that became empty join it.
    void adopt(const X11KeyboardMap& map);
    bool contains(KeyCode keycode) const;
    Grant acquire(KeySym keysym, Clock::time_point now);
    void hold(KeyCode keycode);
    void release(KeyCode keycode, Clock::time_point now);
    bool anyHeld() const;
    // When a lent key was last pressed or released.
    Clock::time_point lastUse() const;
    // Empties every lent key that is not held.
    void restore();

private:
    struct Spare {
        KeyCode keycode;
        KeySym keysym = NoSymbol;
        int holds = 0;
        Clock::time_point lastUse{};
    };

    void assign(Spare& spare, KeySym keysym);
    Spare* find(KeyCode keycode);

    Display* display;
    std::vector<Spare> spares;
};
