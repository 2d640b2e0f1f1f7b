#pragma once

// Xlib's KeySym, declared here without <X11/X.h> and its macros (None,
// KeyPress, ...) that clash with Qt's names; the typedef is the same type.
typedef unsigned long KeySym;

#include <vector>

// Windows virtual-key codes and X keysyms, in both directions, so that key
// texts written on one platform mean the same key on the other. Letters,
// digits and the OEM punctuation keys follow the US layout, as Windows names
// them by their unshifted symbol there.

// The virtual-key code of a keysym, 0 when Windows has none for it. Modifier
// keysyms give their left/right-specific codes (160-165, 91, 92).
int virtualKeyFromKeysym(KeySym keysym);

// The same without the shifted symbols of the US layout (exclam, colon, ...),
// which name a key only where the US layout puts them.
int virtualKeyOfUnshiftedKeysym(KeySym keysym);

bool isLetterOrDigitKey(int virtualKey);
// The codes of the main block's punctuation keys on a US keyboard.
std::vector<int> mainBlockPunctuationKeys();

// The keysym to press for a virtual-key code, NoSymbol (0) when there is none.
// The generic Shift, Ctrl and Alt codes give the left-hand keys.
KeySym keysymFromVirtualKey(int virtualKey);

// The virtual-key code of the key at this keycode on a US keyboard, for the
// main block of letters, digits and punctuation, 0 elsewhere. Windows names
// those keys by position under layouts such as Russian whose symbols it has no
// code for. Keycodes are those of the X servers' evdev rules (kernel code + 8).
int virtualKeyFromUsKeycode(unsigned keycode);
