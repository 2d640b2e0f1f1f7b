// The names X11KeyboardMap gives keys: one Windows virtual-key code per key
// and keyboard group, worked out once per keyboard map.
#include "platform/x11/x11keyboardmap.h"

#include <X11/keysym.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/x11/x11keymap.h"

namespace {

bool isKeypadKeysym(KeySym keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

bool isKeypadDigitOrDecimal(KeySym keysym) {
    return (keysym >= XK_KP_0 && keysym <= XK_KP_9) || keysym == XK_KP_Decimal;
}

} // namespace

KeySym X11KeyboardMap::keysymAt(KeyCode keycode, int keyGroup, int level) const {
    if (keyGroup < 0 || level >= XkbKeyGroupWidth(desc, keycode, keyGroup))
        return NoSymbol;
    return XkbKeySymEntry(desc, keycode, level, keyGroup);
}

// A letter or digit on the key's first level, a digit on its second (the top
// row of AZERTY), else what its unshifted symbol names.
int X11KeyboardMap::unshiftedCodeOf(KeyCode keycode, int keyboardGroup) const {
    const int keyGroup = keyGroupFor(keycode, keyboardGroup);
    const int first = virtualKeyOfUnshiftedKeysym(keysymAt(keycode, keyGroup, 0));
    if (isLetterOrDigitKey(first))
        return first;
    const KeySym second = keysymAt(keycode, keyGroup, 1);
    if (second >= XK_0 && second <= XK_9)
        return static_cast<int>(second);
    return first;
}

void X11KeyboardMap::buildKeyNames() {
    for (auto& names : keyNames)
        names.fill(0);
    if (!desc)
        return;
    const int minKey = desc->min_key_code;
    const int maxKey = desc->max_key_code;
    const std::vector<int> punctuation = mainBlockPunctuationKeys();
    for (int group = 0; group < keyboardGroups; ++group) {
        std::array<int, 256>& names = keyNames[group];
        std::set<int> taken;
        auto give = [&](int keycode, int code) {
            if (code == 0 || names[keycode] != 0 || taken.count(code))
                return;
            names[keycode] = code;
            taken.insert(code);
        };
        auto inMainBlock = [](int keycode) { return virtualKeyFromUsKeycode(keycode) != 0; };
        // Letters and digits as the layout has them come first.
        for (int keycode = minKey; keycode <= maxKey; ++keycode) {
            const int code = unshiftedCodeOf(static_cast<KeyCode>(keycode), group);
            if (inMainBlock(keycode) && isLetterOrDigitKey(code))
                give(keycode, code);
        }
        // Keys outside the main block go by their symbol; they may share a
        // code (Home and the keypad's 7 without Num Lock), as on Windows.
        // Only main-block keys are letters or digits: a lent spare key is not.
        for (int keycode = minKey; keycode <= maxKey; ++keycode) {
            const int code = unshiftedCodeOf(static_cast<KeyCode>(keycode), group);
            if (!inMainBlock(keycode) && !isLetterOrDigitKey(code) && code != 0) {
                names[keycode] = code;
                taken.insert(code);
            }
        }
        // Punctuation by its symbol; then main-block keys the layout gives no
        // Latin name: a Latin letter of another group, else their place on a
        // US keyboard, else a free punctuation code.
        for (int keycode = minKey; keycode <= maxKey; ++keycode)
            if (inMainBlock(keycode))
                give(keycode, unshiftedCodeOf(static_cast<KeyCode>(keycode), group));
        for (int other = 0; other < keyboardGroups; ++other)
            for (int keycode = minKey; keycode <= maxKey; ++keycode) {
                const int code = unshiftedCodeOf(static_cast<KeyCode>(keycode), other);
                if (other != group && inMainBlock(keycode) && isLetterOrDigitKey(code))
                    give(keycode, code);
            }
        for (int keycode = minKey; keycode <= maxKey; ++keycode)
            give(keycode, virtualKeyFromUsKeycode(keycode));
        for (int keycode = minKey; keycode <= maxKey; ++keycode)
            for (auto code = punctuation.begin();
                 inMainBlock(keycode) && names[keycode] == 0 && code != punctuation.end(); ++code)
                give(keycode, *code);
    }
}

int X11KeyboardMap::virtualKeyOf(KeyCode keycode, int group, bool numLock) const {
    if (!desc || keycode < desc->min_key_code || keycode > desc->max_key_code)
        return 0;
    const int keyboardGroup = std::clamp(group, 0, keyboardGroups - 1);
    const int keyGroup = keyGroupFor(keycode, keyboardGroup);
    // Num Lock turns the keypad into digits, as on Windows.
    if (numLock && isKeypadKeysym(keysymAt(keycode, keyGroup, 0))) {
        const KeySym numeric = keysymAt(keycode, keyGroup, 1);
        if (isKeypadDigitOrDecimal(numeric))
            return virtualKeyFromKeysym(numeric);
    }
    return keyNames[keyboardGroup][keycode];
}

KeyCode X11KeyboardMap::keycodeOfVirtualKey(int virtualKey, int group,
                                            const KeyFilter& usable) const {
    if (!desc || virtualKey <= 0)
        return 0;
    const int keyboardGroup = std::clamp(group, 0, keyboardGroups - 1);
    const KeySym own = keysymFromVirtualKey(virtualKey);
    KeyCode found = 0;
    for (int keycode = desc->min_key_code; keycode <= desc->max_key_code; ++keycode) {
        const auto code = static_cast<KeyCode>(keycode);
        if (keyNames[keyboardGroup][keycode] != virtualKey || !usable(code))
            continue;
        // Where two keys share a code (Return and the keypad's Enter), the
        // one that carries the code's own symbol.
        if (keysymAt(code, keyGroupFor(code, keyboardGroup), 0) == own)
            return code;
        if (!found)
            found = code;
    }
    return found;
}
