#include "run/modifierstate.h"

#include "keys/keycombination.h"
#include "platform/inputbackend.h"

int storedModifierOf(int virtualKey) {
    return toStoredMask(heldBitOf(virtualKey));
}

int storedModifiersDown(const std::function<bool(int virtualKey)>& isDown) {
    int mask = 0;
    for (int key : {vk::Control, vk::LControl, vk::RControl, vk::Menu, vk::LMenu, vk::RMenu,
                    vk::Shift, vk::LShift, vk::RShift, vk::LWin, vk::RWin})
        if (isDown(key))
            mask |= storedModifierOf(key);
    return mask;
}
