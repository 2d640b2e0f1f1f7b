#pragma once

#include <X11/XKBlib.h>

#include <array>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// Where a key sits and what to latch so that pressing it yields a wanted
// keysym: the modifiers and the group are latched only for that one press.
struct KeyPlacement {
    KeyCode keycode = 0;
    unsigned latchMods = 0;
    int latchedGroup = 0;
    bool latchGroup = false;
};

// A copy of the server's XKB keyboard map, read again after every change, with
// an index from characters to the keys, groups and levels that type them.
class X11KeyboardMap {
public:
    using KeyFilter = std::function<bool(KeyCode)>;

    explicit X11KeyboardMap(Display* display);
    ~X11KeyboardMap();
    X11KeyboardMap(const X11KeyboardMap&) = delete;
    X11KeyboardMap& operator=(const X11KeyboardMap&) = delete;

    // Marks the copy out of date; the next refresh reads the server's map.
    void invalidate() { stale = true; }
    bool isStale() const { return stale; }
    // Reads the map if it is out of date; false when the server gave none.
    bool refresh();

    // A key that types the character in the keyboard state given, with the
    // latches that press needs; none when no usable key can.
    std::optional<KeyPlacement> placeCharacter(char32_t character, const XkbStateRec& state,
                                               const KeyFilter& usable) const;
    // The usable key that carries the keysym, preferring its first group and
    // level; 0 when none does.
    KeyCode keycodeOfKeysym(KeySym keysym, const KeyFilter& usable) const;
    // The Windows virtual-key code that names the key while the keyboard is
    // in `group`: capture, key state, events and synthesis all use it, so a
    // captured key is the key detected and pressed, whatever the layout.
    // Letters and digits go by the layout (Z and Y swap under German, the
    // digits of AZERTY are shifted); other keys by their unshifted symbol,
    // else a Latin letter of another group, else their place on a US
    // keyboard. No two keys of the main block share a code.
    int virtualKeyOf(KeyCode keycode, int group, bool numLock) const;
    // The keysym the key gives in the keyboard group with the modifiers
    // (core masks) down, and in `consumed` the modifiers its level used up;
    // NoSymbol when the key has none there.
    KeySym keysymOf(KeyCode keycode, int group, unsigned mods, unsigned& consumed) const;
    // The usable key virtualKeyOf names so in the group, 0 when none.
    KeyCode keycodeOfVirtualKey(int virtualKey, int group, const KeyFilter& usable) const;
    // Keys that carry no keysym at all, free to be lent out.
    std::vector<KeyCode> emptyKeycodes() const;
    // Whether every level of every group of the key is the keysym.
    bool carriesOnly(KeyCode keycode, KeySym keysym) const;

private:
    struct Spot {
        KeyCode keycode;
        int group;
        int level;
    };

    void buildCharacterIndex();
    void buildKeyNames();
    int unshiftedCodeOf(KeyCode keycode, int keyboardGroup) const;
    KeySym keysymAt(KeyCode keycode, int keyGroup, int level) const;
    int keyGroupFor(KeyCode keycode, int keyboardGroup) const;
    std::optional<unsigned> latchForLevel(KeyCode keycode, int group, int level,
                                          unsigned activeMods) const;

    Display* display;
    XkbDescPtr desc = nullptr;
    bool stale = true;
    int keyboardGroups = 1;
    std::unordered_multimap<char32_t, Spot> characters;
    // Per keyboard group, the virtual-key code of every keycode.
    std::array<std::array<int, 256>, XkbNumKbdGroups> keyNames{};
};
