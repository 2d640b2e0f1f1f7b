#include "run/modifierstate.h"

#include <initializer_list>

#include "keys/keycombination.h"
#include "platform/inputbackend.h"

namespace {

bool anyDown(InputBackend& input, std::initializer_list<int> keys) {
    for (int key : keys)
        if (input.isKeyDown(key))
            return true;
    return false;
}

} // namespace

int storedModifiersDown(InputBackend& input) {
    int mask = 0;
    if (anyDown(input, {vk::Control, vk::LControl, vk::RControl}))
        mask |= storedmask::Ctrl;
    if (anyDown(input, {vk::Menu, vk::LMenu, vk::RMenu}))
        mask |= storedmask::Alt;
    if (anyDown(input, {vk::Shift, vk::LShift, vk::RShift}))
        mask |= storedmask::Shift;
    if (anyDown(input, {vk::LWin, vk::RWin}))
        mask |= storedmask::Win;
    return mask;
}

bool isCombinationDown(InputBackend& input, int virtualKey, int mask) {
    constexpr int modifierBits =
        storedmask::Alt | storedmask::Ctrl | storedmask::Shift | storedmask::Win;
    return input.isKeyDown(virtualKey) && storedModifiersDown(input) == (mask & modifierBits);
}
