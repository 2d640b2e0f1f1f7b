#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "keys/keycombination.h"
#include "run/keyfields.h"
#include "run/timedoperations.h"

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

void pressKeyCombination(InputBackend& input, const std::atomic<bool>& stop, const QString& text) {
    const KeyFields fields = parseKeyFields(text);
    if (fields.virtualKey == 0)
        return;
    const int holdMs = fields.seconds > 0 ? static_cast<int>(1000 * fields.seconds) : 0;
    if (stop.load())
        return;

    std::vector<int> pressed = modifierKeysOf(fields.mask);
    pressed.push_back(fields.virtualKey);
    for (int key : pressed)
        input.sendKey(key, true);

    for (int elapsed = 0; elapsed < holdMs && !stop.load();) {
        const int step = std::min(10, holdMs - elapsed);
        std::this_thread::sleep_for(std::chrono::milliseconds(step));
        elapsed += step;
    }

    std::for_each(pressed.rbegin(), pressed.rend(), [&](int key) { input.sendKey(key, false); });
}

} // namespace timed
