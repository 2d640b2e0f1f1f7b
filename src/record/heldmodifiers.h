#pragma once

#include <set>

// The modifier keys down at a moment of a recording, by their left/right
// codes, and the stored mask (keys/keycombination.h) they make.
class HeldModifiers {
public:
    // False for a key that is no modifier; it is then not tracked.
    bool press(int virtualKey);
    bool release(int virtualKey);

    int storedMask() const;
    bool holds(int virtualKey) const { return down.count(virtualKey) != 0; }
    // AltGr as layouts use it: the right Alt, and on Windows the left Ctrl
    // the system presses with it, with at most Shift besides.
    bool onlyAltGrOrShift() const;
    bool onlyShift() const;

private:
    std::set<int> down;
};
