#pragma once

#include <atomic>

#include "platform/inputeventsource.h"

// The desktop's key and button events on Windows: a low-level keyboard hook
// and a low-level mouse hook set on the thread that runs the source, which
// then pumps that thread's messages, as such hooks need. Every event is
// passed on to the next hook untouched.
class Win32InputEventSource : public InputEventSource {
public:
    bool run(InputEventListener& listener) override;
    void interrupt() override;

private:
    std::atomic<unsigned long> threadId{0};
    std::atomic<bool> interrupted{false};
};
