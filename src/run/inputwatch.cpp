#include "run/inputwatch.h"

#include "platform/inputbackend.h"
#include "run/modifierstate.h"

void InputWatch::setExitCommand(int virtualKey, int mask, std::function<int()> runHeld,
                                std::function<void()> onMatch) {
    std::lock_guard lock(mutex);
    exitKey = virtualKey;
    exitMask = mask & modifierBits;
    exitRunHeld = std::move(runHeld);
    exitMatched = std::move(onMatch);
}

void InputWatch::inputChanged(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey >= int(downCount.size()))
        return;
    std::unique_lock lock(mutex);
    int& count = downCount[virtualKey];
    count = down ? count + 1 : std::max(0, count - 1);
    if (!synced)
        return;
    advance();
    checkExitCommand();
}

void InputWatch::inputSynced() {
    std::lock_guard lock(mutex);
    synced = true;
    syncedFlag.store(true);
    advance();
    checkExitCommand();
}

bool InputWatch::isDown(int virtualKey) const {
    auto any = [this](std::initializer_list<int> keys) {
        for (int key : keys)
            if (downCount[key] > 0)
                return true;
        return false;
    };
    switch (virtualKey) {
    case vk::Shift:
        return any({vk::Shift, vk::LShift, vk::RShift});
    case vk::Control:
        return any({vk::Control, vk::LControl, vk::RControl});
    case vk::Menu:
        return any({vk::Menu, vk::LMenu, vk::RMenu});
    default:
        return virtualKey > 0 && virtualKey < int(downCount.size()) && downCount[virtualKey] > 0;
    }
}

// A modifier that is itself the key does not count as held with it, so a
// combination of a lone modifier (160,0: Shift) can match.
int InputWatch::modifiersBesides(int virtualKey) const {
    const int mask = storedModifiersDown([this](int key) { return downCount[key] > 0; });
    return mask & ~storedModifierOf(virtualKey);
}

void InputWatch::checkExitCommand() {
    if (exitKey == 0 || exitFired || !isDown(exitKey))
        return;
    const int mods = modifiersBesides(exitKey);
    const int ownedByRun = exitRunHeld ? exitRunHeld() : 0;
    const int required = exitMask & ~storedModifierOf(exitKey);
    if ((mods & required) != required || (mods & ~required & ~ownedByRun) != 0)
        return;
    exitFired = true;
    if (exitMatched)
        exitMatched();
}

void InputWatch::advance() {
    if (!synced)
        return;
    for (Phase before = Phase::Idle; before != phase;) {
        before = phase;
        const bool down = isDown(waitKey);
        switch (phase) {
        case Phase::Idle:
        case Phase::Done:
            break;
        case Phase::Start:
            if (!waitForCombination)
                phase = down ? Phase::Done : Phase::Waiting;
            else
                phase = down ? Phase::HeldBefore : Phase::Waiting;
            break;
        case Phase::HeldBefore:
            if (!down)
                phase = Phase::Waiting;
            break;
        case Phase::Waiting:
            if (down && !waitForCombination)
                phase = Phase::Done;
            else if (down && modifiersBesides(waitKey) == waitMask)
                phase = Phase::Pressed;
            break;
        case Phase::Pressed:
            if (!down)
                phase = Phase::Done;
            break;
        }
    }
    if (phase == Phase::Done && !waitDone.exchange(true))
        stop.wake();
}

void InputWatch::waitForButton(int virtualKey) {
    waitFor(virtualKey, 0, false);
}

void InputWatch::waitForKeyCombination(int virtualKey, int mask) {
    waitFor(virtualKey, (mask & modifierBits) & ~storedModifierOf(virtualKey), true);
}

void InputWatch::waitFor(int virtualKey, int mask, bool keyCombination) {
    {
        std::lock_guard lock(mutex);
        waitKey = virtualKey;
        waitMask = mask;
        waitForCombination = keyCombination;
        waitDone.store(false);
        phase = Phase::Start;
        advance();
    }
    stop.waitUntil([this] { return waitDone.load(); });
    std::lock_guard lock(mutex);
    phase = Phase::Idle;
}
