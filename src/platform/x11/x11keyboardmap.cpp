#include "platform/x11/x11keyboardmap.h"

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <bit>

#include "platform/x11/x11keymap.h"

namespace {

// Function keys, keypad, dead keys and modifiers live in 0xfd00-0xffff; they
// type no character of their own even where a Unicode value is defined.
bool typesCharacter(KeySym keysym) {
    return keysym != NoSymbol && !(keysym >= 0xfd00 && keysym <= 0xffff);
}

int levelOf(const XkbKeyTypeRec& type, unsigned mods) {
    const unsigned relevant = mods & type.mods.mask;
    for (int i = 0; i < type.map_count; ++i) {
        const XkbKTMapEntryRec& entry = type.map[i];
        if (entry.active && entry.mods.mask == relevant)
            return entry.level;
    }
    return 0;
}

} // namespace

X11KeyboardMap::X11KeyboardMap(Display* display) : display(display) {}

X11KeyboardMap::~X11KeyboardMap() {
    if (desc)
        XkbFreeKeyboard(desc, 0, True);
}

bool X11KeyboardMap::refresh() {
    if (!stale)
        return desc != nullptr;
    if (desc)
        XkbFreeKeyboard(desc, 0, True);
    desc = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    stale = false;
    buildCharacterIndex();
    buildKeyNames();
    return desc != nullptr;
}

void X11KeyboardMap::buildCharacterIndex() {
    characters.clear();
    keyboardGroups = 1;
    if (!desc)
        return;
    for (int keycode = desc->min_key_code; keycode <= desc->max_key_code; ++keycode) {
        const int groups = XkbKeyNumGroups(desc, keycode);
        keyboardGroups = std::max(keyboardGroups, groups);
        for (int group = 0; group < groups; ++group) {
            const int levels = XkbKeyGroupWidth(desc, keycode, group);
            for (int level = 0; level < levels; ++level) {
                const KeySym keysym = XkbKeySymEntry(desc, keycode, level, group);
                if (!typesCharacter(keysym))
                    continue;
                const char32_t character = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
                if (character >= 0x20 && character != 0x7f)
                    characters.emplace(character,
                                       Spot{static_cast<KeyCode>(keycode), group, level});
            }
        }
    }
}

int X11KeyboardMap::keyGroupFor(KeyCode keycode, int keyboardGroup) const {
    const int groups = XkbKeyNumGroups(desc, keycode);
    if (groups == 0)
        return -1;
    if (keyboardGroup < groups)
        return keyboardGroup;
    const unsigned char info = XkbKeyGroupInfo(desc, keycode);
    switch (XkbOutOfRangeGroupAction(info)) {
    case XkbClampIntoRange:
        return groups - 1;
    case XkbRedirectIntoRange: {
        const int redirect = XkbOutOfRangeGroupNumber(info);
        return redirect < groups ? redirect : 0;
    }
    default:
        return keyboardGroup % groups;
    }
}

std::optional<unsigned> X11KeyboardMap::latchForLevel(KeyCode keycode, int group, int level,
                                                      unsigned activeMods) const {
    const XkbKeyTypeRec& type = *XkbKeyKeyType(desc, keycode, group);
    std::vector<unsigned> choices{0};
    for (int i = 0; i < type.map_count; ++i)
        if (type.map[i].active && type.map[i].level == level)
            choices.push_back(type.map[i].mods.mask & ~activeMods);
    std::optional<unsigned> best;
    for (unsigned latch : choices) {
        if (levelOf(type, activeMods | latch) != level)
            continue;
        if (!best || std::popcount(latch) < std::popcount(*best))
            best = latch;
    }
    return best;
}

std::optional<KeyPlacement> X11KeyboardMap::placeCharacter(char32_t character,
                                                           const XkbStateRec& state,
                                                           const KeyFilter& usable) const {
    if (!desc)
        return std::nullopt;
    std::optional<KeyPlacement> best;
    int bestCost = 0;
    auto [first, last] = characters.equal_range(character);
    for (auto it = first; it != last; ++it) {
        const Spot& spot = it->second;
        if (!usable(spot.keycode))
            continue;
        for (int group = 0; group < keyboardGroups; ++group) {
            if (keyGroupFor(spot.keycode, group) != spot.group)
                continue;
            const std::optional<unsigned> latch =
                latchForLevel(spot.keycode, spot.group, spot.level, state.mods);
            if (!latch)
                continue;
            const bool otherGroup = group != state.group;
            // Staying in the active group matters most, then fewer modifiers.
            const int cost = (otherGroup ? 100 : 0) + std::popcount(*latch) * 10 + spot.level;
            if (best && cost >= bestCost)
                continue;
            KeyPlacement placement{spot.keycode, *latch, 0, otherGroup};
            if (otherGroup)
                placement.latchedGroup = state.latched_group + group - state.group;
            best = placement;
            bestCost = cost;
        }
    }
    return best;
}

KeyCode X11KeyboardMap::keycodeOfKeysym(KeySym keysym, const KeyFilter& usable) const {
    if (!desc)
        return 0;
    KeyCode best = 0;
    int bestRank = 0;
    for (int keycode = desc->min_key_code; keycode <= desc->max_key_code; ++keycode) {
        const auto code = static_cast<KeyCode>(keycode);
        for (int group = 0; group < XkbKeyNumGroups(desc, keycode); ++group) {
            for (int level = 0; level < XkbKeyGroupWidth(desc, keycode, group); ++level) {
                if (XkbKeySymEntry(desc, keycode, level, group) != keysym || !usable(code))
                    continue;
                const int rank = group * 10 + level;
                if (best == 0 || rank < bestRank) {
                    best = code;
                    bestRank = rank;
                }
            }
        }
    }
    return best;
}

std::vector<KeyCode> X11KeyboardMap::emptyKeycodes() const {
    std::vector<KeyCode> empty;
    if (!desc)
        return empty;
    // Keycode 8 stands for "no key" in evdev-based clients; it is never lent.
    for (int keycode = std::max(9, int(desc->min_key_code)); keycode <= desc->max_key_code;
         ++keycode) {
        bool carriesNothing = true;
        for (int i = 0; i < XkbKeyNumSyms(desc, keycode); ++i)
            if (XkbKeySymsPtr(desc, keycode)[i] != NoSymbol)
                carriesNothing = false;
        if (carriesNothing)
            empty.push_back(static_cast<KeyCode>(keycode));
    }
    return empty;
}

bool X11KeyboardMap::carriesOnly(KeyCode keycode, KeySym keysym) const {
    if (!desc || keycode < desc->min_key_code || keycode > desc->max_key_code ||
        XkbKeyNumSyms(desc, keycode) == 0)
        return false;
    for (int i = 0; i < XkbKeyNumSyms(desc, keycode); ++i)
        if (XkbKeySymsPtr(desc, keycode)[i] != keysym)
            return false;
    return true;
}

KeySym X11KeyboardMap::keysymOf(KeyCode keycode, int group, unsigned mods,
                                unsigned& consumed) const {
    KeySym keysym = NoSymbol;
    consumed = 0;
    if (!desc || keycode < desc->min_key_code || keycode > desc->max_key_code)
        return NoSymbol;
    if (!XkbTranslateKeyCode(desc, keycode, XkbBuildCoreState(mods, std::max(group, 0)), &consumed,
                             &keysym))
        return NoSymbol;
    return keysym;
}
