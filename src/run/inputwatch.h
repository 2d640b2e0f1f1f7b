#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>

#include "platform/inputeventsource.h"
#include "run/stopsignal.h"

// What the desktop's event source says is down, and the presses a run waits
// for: the exit command and the click and key conditions. Every check is
// made as each event arrives, so a press is caught however short it was.
// Events come on the watcher thread; the waits run on the run thread.
class InputWatch : public InputEventListener {
public:
    // Waiters sleep on `stop`, so a stop ends their waits too.
    explicit InputWatch(const StopSignal& stop) : stop(stop) {}

    // The exit command matches when its key and its modifiers are down and
    // no other modifier is, unless the run itself holds it (`runHeld` gives
    // the stored mask of those), so a run cannot block its own way out.
    // `onMatch` is called once, on the watcher thread.
    void setExitCommand(int virtualKey, int mask, std::function<int()> runHeld,
                        std::function<void()> onMatch);

    void inputChanged(int virtualKey, bool down) override;
    void inputSynced() override;
    // Whether the source has reported what was down when it started, so
    // that from now on no press can pass unseen.
    bool isSynced() const { return syncedFlag.load(); }

    // Goes on when the button goes down, or at once when it is down already.
    void waitForButton(int virtualKey);
    // Goes on once the key has gone down with exactly the mask's modifiers
    // and has been released again. A key already down when the wait begins
    // must first be released.
    void waitForKeyCombination(int virtualKey, int mask);

private:
    enum class Phase { Idle, Start, HeldBefore, Waiting, Pressed, Done };

    bool isDown(int virtualKey) const;
    int modifiersBesides(int virtualKey) const;
    void advance();
    void checkExitCommand();
    void waitFor(int virtualKey, int mask, bool keyCombination);

    const StopSignal& stop;
    mutable std::mutex mutex;
    std::array<int, 256> downCount{};
    bool synced = false;
    std::atomic<bool> syncedFlag{false};

    int exitKey = 0;
    int exitMask = 0;
    std::function<int()> exitRunHeld;
    std::function<void()> exitMatched;
    bool exitFired = false;

    int waitKey = 0;
    int waitMask = 0;
    bool waitForCombination = false;
    Phase phase = Phase::Idle;
    std::atomic<bool> waitDone{false};
};
