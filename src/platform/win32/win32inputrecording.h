#pragma once

#include <atomic>
#include <vector>

#include "platform/inputrecording.h"

// The user's input on Windows: a low-level keyboard hook and a low-level
// mouse hook on the thread that runs the recording, which pumps its
// messages as such hooks need. The hook procedures only copy each event
// into a queue and return at once (Windows silently removes a hook that
// keeps it waiting); the events are converted and reported after they
// returned, on the same thread. Input other programs inject is recorded
// like the user's. Times are the hooks' event times, positions physical
// pixels, and a key's text is what the foreground window's layout makes
// of it, with a dead key composed with the key after it. A held key is one
// press (its repeats are not reported), a key or button already down at the
// start is not reported at all, and the wheel is left out.
class Win32InputRecording : public InputRecording {
public:
    bool run(InputRecordingListener& listener) override;
    void interrupt() override;

    // From now on (before run) the time spent in each call of a hook
    // procedure, in QueryPerformanceCounter ticks, is added to `ticks`;
    // read it after run has returned.
    void timeHooks(std::vector<long long>& ticks) { hookTicks = &ticks; }

private:
    std::atomic<unsigned long> threadId{0};
    std::atomic<bool> interrupted{false};
    std::vector<long long>* hookTicks = nullptr;
};
