#include "platform/x11/x11keymap.h"

#include "platform/inputbackend.h"

// After Qt's headers: Xlib's macros clash with Qt's names.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

struct KeyPair {
    int virtualKey;
    KeySym keysym;
};

// Pairs that hold in both directions.
constexpr KeyPair primaryPairs[] = {
    {0x03, XK_Cancel},
    {0x08, XK_BackSpace},
    {0x09, XK_Tab},
    {0x0C, XK_Clear},
    {0x0D, XK_Return},
    {0x13, XK_Pause},
    {0x14, XK_Caps_Lock},
    {0x1B, XK_Escape},
    {0x20, XK_space},
    {0x21, XK_Prior},
    {0x22, XK_Next},
    {0x23, XK_End},
    {0x24, XK_Home},
    {0x25, XK_Left},
    {0x26, XK_Up},
    {0x27, XK_Right},
    {0x28, XK_Down},
    {0x29, XK_Select},
    {0x2B, XK_Execute},
    {0x2C, XK_Print},
    {0x2D, XK_Insert},
    {0x2E, XK_Delete},
    {0x2F, XK_Help},
    {vk::LWin, XK_Super_L},
    {vk::RWin, XK_Super_R},
    {0x5D, XK_Menu},
    {0x6A, XK_KP_Multiply},
    {0x6B, XK_KP_Add},
    {0x6C, XK_KP_Separator},
    {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal},
    {0x6F, XK_KP_Divide},
    {0x90, XK_Num_Lock},
    {0x91, XK_Scroll_Lock},
    {vk::LShift, XK_Shift_L},
    {vk::RShift, XK_Shift_R},
    {vk::LControl, XK_Control_L},
    {vk::RControl, XK_Control_R},
    {vk::LMenu, XK_Alt_L},
    {vk::RMenu, XK_Alt_R},
    {0xBA, XK_semicolon},
    {0xBB, XK_equal},
    {0xBC, XK_comma},
    {0xBD, XK_minus},
    {0xBE, XK_period},
    {0xBF, XK_slash},
    {0xC0, XK_grave},
    {0xDB, XK_bracketleft},
    {0xDC, XK_backslash},
    {0xDD, XK_bracketright},
    {0xDE, XK_apostrophe},
    {0xE2, XK_less},
};

// Further keysyms that name a key Windows already has a code for: the keypad
// without Num Lock, Alt Gr.
constexpr KeyPair keyAliases[] = {
    {0x09, XK_ISO_Left_Tab},     {0x0C, XK_KP_Begin},    {0x0D, XK_KP_Enter},
    {0x21, XK_KP_Prior},         {0x22, XK_KP_Next},     {0x23, XK_KP_End},
    {0x24, XK_KP_Home},          {0x25, XK_KP_Left},     {0x26, XK_KP_Up},
    {0x27, XK_KP_Right},         {0x28, XK_KP_Down},     {0x2D, XK_KP_Insert},
    {0x2E, XK_KP_Delete},        {0x2C, XK_Sys_Req},     {0x13, XK_Break},
    {vk::LMenu, XK_Meta_L},      {vk::RMenu, XK_Meta_R}, {vk::RMenu, XK_ISO_Level3_Shift},
    {vk::RMenu, XK_Mode_switch},
};

// Shifted symbols of the US layout: they name the key only where the US
// layout puts them.
constexpr KeyPair shiftedUsSymbols[] = {
    {'0', XK_parenright},  {'1', XK_exclam},      {'2', XK_at},          {'3', XK_numbersign},
    {'4', XK_dollar},      {'5', XK_percent},     {'6', XK_asciicircum}, {'7', XK_ampersand},
    {'8', XK_asterisk},    {'9', XK_parenleft},   {0xBA, XK_colon},      {0xBB, XK_plus},
    {0xBD, XK_underscore}, {0xBF, XK_question},   {0xC0, XK_asciitilde}, {0xDB, XK_braceleft},
    {0xDC, XK_bar},        {0xDD, XK_braceright}, {0xDE, XK_quotedbl},   {0xE2, XK_greater},
};

// Rows of the main block on a US keyboard: first keycode, codes in order.
struct KeyRow {
    unsigned firstKeycode;
    unsigned count;
    int virtualKeys[12];
};

constexpr KeyRow usRows[] = {
    {10, 12, {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0xBD, 0xBB}},
    {24, 12, {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 0xDB, 0xDD}},
    {38, 12, {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 0xBA, 0xDE, 0xC0}},
    {51, 11, {0xDC, 'Z', 'X', 'C', 'V', 'B', 'N', 'M', 0xBC, 0xBE, 0xBF}},
    {94, 1, {0xE2}},
};

constexpr int numpad0 = 0x60;
constexpr int f1 = 0x70;
constexpr int functionKeys = 24;

} // namespace

int virtualKeyFromKeysym(KeySym keysym) {
    if (const int code = virtualKeyOfUnshiftedKeysym(keysym))
        return code;
    for (const KeyPair& pair : shiftedUsSymbols)
        if (pair.keysym == keysym)
            return pair.virtualKey;
    return 0;
}

int virtualKeyOfUnshiftedKeysym(KeySym keysym) {
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<int>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<int>(keysym);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return numpad0 + static_cast<int>(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym < XK_F1 + functionKeys)
        return f1 + static_cast<int>(keysym - XK_F1);
    for (const KeyPair& pair : primaryPairs)
        if (pair.keysym == keysym)
            return pair.virtualKey;
    for (const KeyPair& pair : keyAliases)
        if (pair.keysym == keysym)
            return pair.virtualKey;
    return 0;
}

bool isLetterOrDigitKey(int virtualKey) {
    return (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
}

std::vector<int> mainBlockPunctuationKeys() {
    std::vector<int> keys;
    for (const KeyRow& row : usRows)
        for (unsigned i = 0; i < row.count; ++i)
            if (!isLetterOrDigitKey(row.virtualKeys[i]))
                keys.push_back(row.virtualKeys[i]);
    return keys;
}

KeySym keysymFromVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<KeySym>(virtualKey);
    if (virtualKey >= numpad0 && virtualKey <= numpad0 + 9)
        return XK_KP_0 + (virtualKey - numpad0);
    if (virtualKey >= f1 && virtualKey < f1 + functionKeys)
        return XK_F1 + (virtualKey - f1);
    // The generic modifier codes press the left-hand key, as Windows does.
    switch (virtualKey) {
    case vk::Shift:
        return XK_Shift_L;
    case vk::Control:
        return XK_Control_L;
    case vk::Menu:
        return XK_Alt_L;
    }
    for (const KeyPair& pair : primaryPairs)
        if (pair.virtualKey == virtualKey)
            return pair.keysym;
    return NoSymbol;
}

int virtualKeyFromUsKeycode(unsigned keycode) {
    for (const KeyRow& row : usRows)
        if (keycode >= row.firstKeycode && keycode - row.firstKeycode < row.count)
            return row.virtualKeys[keycode - row.firstKeycode];
    return 0;
}
