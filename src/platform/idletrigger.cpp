#include "platform/idletrigger.h"

IdleTrigger::IdleTrigger(std::chrono::milliseconds delay, std::function<void()> action)
    : delay(delay), action(std::move(action)), thread([this] { run(); }) {}

IdleTrigger::~IdleTrigger() {
    {
        std::lock_guard lock(mutex);
        quitting = true;
    }
    wake.notify_all();
    thread.join();
}

void IdleTrigger::arm() {
    {
        std::lock_guard lock(mutex);
        deadline = std::chrono::steady_clock::now() + delay;
    }
    wake.notify_all();
}

void IdleTrigger::run() {
    std::unique_lock lock(mutex);
    while (!quitting) {
        if (!deadline) {
            wake.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() < *deadline) {
            wake.wait_until(lock, *deadline);
            continue;
        }
        deadline.reset();
        lock.unlock();
        action();
        lock.lock();
    }
}
