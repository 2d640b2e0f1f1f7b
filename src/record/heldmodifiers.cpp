#include "record/heldmodifiers.h"

#include "keys/keycombination.h"
#include "platform/inputbackend.h"
#include "run/modifierstate.h"

bool HeldModifiers::press(int virtualKey) {
    if (!isModifierKey(virtualKey))
        return false;
    down.insert(virtualKey);
    return true;
}

bool HeldModifiers::release(int virtualKey) {
    if (!isModifierKey(virtualKey))
        return false;
    down.erase(virtualKey);
    return true;
}

int HeldModifiers::storedMask() const {
    return storedModifiersDown([this](int virtualKey) { return holds(virtualKey); });
}

bool HeldModifiers::onlyAltGrOrShift() const {
    if (!holds(vk::RMenu))
        return onlyShift();
    for (int key : down)
        if (key != vk::RMenu && key != vk::LControl && !(heldBitOf(key) & heldmask::Shift))
            return false;
    return true;
}

bool HeldModifiers::onlyShift() const {
    for (int key : down)
        if (!(heldBitOf(key) & heldmask::Shift))
            return false;
    return true;
}
