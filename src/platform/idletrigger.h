#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Runs an action on a thread of its own once it has not been armed again for
// a given time. The action runs without any lock of the trigger held, so it
// may take locks of its owner's that are held while arming.
class IdleTrigger {
public:
    IdleTrigger(std::chrono::milliseconds delay, std::function<void()> action);
    ~IdleTrigger();
    IdleTrigger(const IdleTrigger&) = delete;
    IdleTrigger& operator=(const IdleTrigger&) = delete;

    // (Re)starts the countdown.
    void arm();

private:
    void run();

    const std::chrono::milliseconds delay;
    const std::function<void()> action;
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<std::chrono::steady_clock::time_point> deadline;
    bool quitting = false;
    std::thread thread;
};
