#pragma once

#include <functional>
#include <thread>

// Turns Ctrl+C, SIGTERM, SIGHUP (a closed terminal) and SIGQUIT into a call
// of `onStop`, at once and on a thread of its own, so that nothing the main
// thread is busy with can delay it. The handler only stores a flag and wakes
// that thread; it stays installed, so a second signal cannot end the program
// before the run has released what it holds.
class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::thread waiter;
};
