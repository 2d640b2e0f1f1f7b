#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "platform/inputbackend.h"
#include "platform/inputeventsource.h"

// Events made by reading the state of a few keys at a fixed interval: the
// fallback where the desktop offers no events. A press shorter than the
// interval can be missed.
class PollingEventSource : public InputEventSource {
public:
    PollingEventSource(InputBackend& input, std::vector<int> virtualKeys,
                       std::chrono::milliseconds interval);

    bool run(InputEventListener& listener) override;
    void interrupt() override;

private:
    InputBackend& input;
    std::map<int, bool> down;
    const std::chrono::milliseconds interval;
    std::mutex mutex;
    std::condition_variable woken;
    bool interrupted = false;
};
