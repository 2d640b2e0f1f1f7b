#include <algorithm>
#include <chrono>
#include <vector>

#include "keys/keycombination.h"
#include "run/keyfields.h"
#include "run/timedoperations.h"
#include "run/timedwait.h"

namespace timed {

namespace {

// Modifier keys in the order they go down; they come up in reverse.
std::vector<int> modifierKeysOf(int mask) {
    std::vector<int> keys;
    if (mask & storedmask::Ctrl)
        keys.push_back(vk::Control);
    if (mask & storedmask::Alt)
        keys.push_back(vk::Menu);
    if (mask & storedmask::Shift)
        keys.push_back(vk::Shift);
    if (mask & storedmask::Win)
        keys.push_back(vk::LWin);
    return keys;
}

} // namespace

void pressKeyCombination(InputBackend& input, const StopSignal& stop, const QString& text) {
    const KeyFields fields = parseKeyFields(text);
    if (fields.virtualKey == 0)
        return;
    // Whole milliseconds, saturating: a hold of years is a hold until stopped.
    const double holdMs = fields.seconds > 0 ? std::min(1000 * fields.seconds, 1e15) : 0;
    const auto hold = std::chrono::milliseconds(static_cast<long long>(holdMs));
    if (stop.isRaised())
        return;

    std::vector<int> pressed = modifierKeysOf(fields.mask);
    pressed.push_back(fields.virtualKey);
    for (int key : pressed)
        input.pressKeyFor(key, hold);

    waitSeconds(stop, static_cast<double>(hold.count()) / 1000);

    std::for_each(pressed.rbegin(), pressed.rend(), [&](int key) { input.sendKey(key, false); });
}

} // namespace timed
