#include "platform/pollingeventsource.h"

PollingEventSource::PollingEventSource(InputBackend& input, std::vector<int> virtualKeys,
                                       std::chrono::milliseconds interval)
    : input(input), interval(interval) {
    for (int key : virtualKeys)
        down[key] = false;
}

bool PollingEventSource::run(InputEventListener& listener) {
    bool synced = false;
    std::unique_lock lock(mutex);
    while (!interrupted) {
        lock.unlock();
        for (auto& [key, wasDown] : down) {
            const bool isDown = input.isKeyDown(key);
            if (isDown != wasDown)
                listener.inputChanged(key, isDown);
            wasDown = isDown;
        }
        if (!synced)
            listener.inputSynced();
        synced = true;
        lock.lock();
        woken.wait_for(lock, interval, [this] { return interrupted; });
    }
    return true;
}

void PollingEventSource::interrupt() {
    {
        std::lock_guard lock(mutex);
        interrupted = true;
    }
    woken.notify_all();
}
